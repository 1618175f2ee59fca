#include "bench/Timing.h"

#include <algorithm>
#include <chrono>

double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double Median(int repetitions, const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < repetitions; ++run)
        times.push_back(Milliseconds(work));
    return Median(std::move(times));
}
