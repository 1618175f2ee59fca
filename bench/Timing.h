#pragma once

#include <functional>
#include <vector>

// What every benchmark here measures with: wall-clock milliseconds and medians of them.
double Milliseconds(const std::function<void()>& work);
double Median(std::vector<double> times);
// The median of `repetitions` runs of `work`, in milliseconds.
double Median(int repetitions, const std::function<void()>& work);
