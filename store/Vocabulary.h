#pragma once

#include <array>
#include <string_view>

// The numbered pick lists: the rows of "ComboData" in their natural order.
enum class PickListKind { Qualifications = 1, Specializations = 2, Locations = 3 };

// The experience vocabulary, in the order every drop-down and menu shows it.
enum class ExperienceBand {
    ZeroToOne,
    OneToTwo,
    TwoToFive,
    FiveToSeven,
    SevenToTen,
    TenToFifteen,
    MoreThanFifteen
};
inline constexpr std::array<std::string_view, 7> kExperienceBands{"0-1",  "1-2",   "2-5",         "5-7",
                                                                  "7-10", "10-15", "More than 15"};
constexpr std::string_view ExperienceBandText(ExperienceBand band) {
    return kExperienceBands[static_cast<std::size_t>(band)];
}

// Processing states as the input form stores them (its caption, misspelling kept).
enum class ResumeStatus { ActiveForProcessing, Hold, Selected, Rejected };
inline constexpr std::array<std::string_view, 4> kResumeStatuses{"Active For Proccesing", "Hold", "Selected",
                                                                 "Rejected"};
constexpr std::string_view ResumeStatusText(ResumeStatus status) {
    return kResumeStatuses[static_cast<std::size_t>(status)];
}
// The active state as the web harvest stores it; both spellings live in one bank.
inline constexpr std::string_view kHarvestActiveStatus = "Active For Processing";

// Stand-ins the producers of records use for a missing value.
inline constexpr std::string_view kNotSpecified = "Not Specified";
inline constexpr std::string_view kOthersQualification = "Others";
