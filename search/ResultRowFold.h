#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Folds the joined result rows, one per combination of a resume's qualification, specialization
// and location, into one grid row per resume: the ID, the five shown columns and the three lists
// of distinct values, joined by tabs. The rows of one resume must arrive together.
class ResultRowFold {
public:
    using ShownColumns = std::array<std::string_view, 5>;
    using ListValues = std::array<std::string_view, 3>;

    // Takes one joined row; when it starts a new resume, gives back the previous resume's row.
    std::optional<std::string> Take(std::int64_t id, const ShownColumns& shown, const ListValues& values);
    // The last resume's row, once every row was taken.
    std::optional<std::string> Finish();
    int ResumeCount() const { return m_resumeCount; }

private:
    std::string m_pending;
    std::array<std::string, 3> m_lists;
    std::optional<std::int64_t> m_id;
    int m_resumeCount = 0;
};

// Adds `value` to a list of values joined by "," unless the list already holds that very value
// (a whole value: "CA" is not in "MCA").
void AppendDistinct(std::string& list, std::string_view value);
