#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

// Periods as resumes write them: "Jan 2018 – Present", "03/2016 - 11/2020", "2015–2019",
// "Sep, 2023 – heute", "seit 2019", "janvier 2015 à mars 2018", "01.03.2016 – 30.11.2020".
// Months count as year * 12 + (month - 1).

struct DateRange {
    int start = 0;
    std::optional<int> end; // none: running to the present
    bool startYearOnly = false;
    bool endYearOnly = false;
    std::size_t offset = 0; // byte range in the text
    std::size_t length = 0;
};

// The ranges within the bytes [begin, end) of `text`, in order. `continuation`, when given, is
// the next line, read on when a range breaks after its dash ("Jan 2018 –" / "Present").
std::vector<DateRange> RangesIn(std::string_view text, std::size_t begin, std::size_t end,
                                std::optional<std::pair<std::size_t, std::size_t>> continuation = {});

// The month a folded word names in one of the common European languages ("mar", "marz",
// "maart", "marzo"), 1 to 12, or 0.
int MonthNamed(std::string_view folded);
// Whether a folded word stands for the present ("present", "heute", "aujourd'hui", "oggi").
bool MeansPresent(std::string_view folded);
