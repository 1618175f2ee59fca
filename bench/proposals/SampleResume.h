#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// One resume of the benchmark's set: the fields a recruiter would enter, and the body it is
// written from, in a small markup that each format renders in its own way.
//
// A file holds "key: value" lines (format, layout, date and the true fields), a line "---",
// then the body. Body lines: "! text" the name line, "# text" a section heading, "## text" an
// entry's head, "- text" a bullet, "| a | b" a table row, "[side]" and "[main]" the two columns
// of a sidebar (ended by "[end]"), an empty line a gap; any other line is a paragraph.
struct SampleResume {
    std::string file;   // its name in the set
    std::string format; // pdf, docx, odt, html, txt
    std::string layout; // one-column, sidebar, table, plain
    std::optional<std::chrono::sys_days> date;
    std::string name;
    std::string email;
    std::string phone;
    std::string organization;
    std::string experience;
    std::vector<std::string> qualifications;
    std::vector<std::string> specializations;
    std::vector<std::string> locations;
    std::vector<std::string> body;
};

// Reads every "*.resume" file of a folder, by name; throws std::runtime_error on a malformed one.
std::vector<SampleResume> ReadSampleResumes(const std::string& folder);

// The resume as a file of its format: its bytes and the file name extension.
struct RenderedResume {
    std::string bytes;
    std::string extension;
};
RenderedResume RenderResume(const SampleResume& resume); // needs a running QGuiApplication for PDFs
