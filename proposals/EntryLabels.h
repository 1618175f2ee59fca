#pragma once

#include <cstddef>
#include <string_view>

// The labels of an employment entry's lines, in the languages resumes here are commonly written
// in: "Company:", "Name and address of employer", "Designation:", "Technologies:".
enum class Label {
    None,
    Employer,   // the value is the employer
    Entry,      // the value is the entry's title, dates or place
    Description // the value describes the work
};

// The label a line starts with, and where its value starts (the line's end for a label alone).
Label LabelOf(std::string_view line, std::size_t& valueStart);
