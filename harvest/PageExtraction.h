#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Cuts the fields out of a saved resume page by fixed markers and offsets. Nothing is parsed,
// decoded or trimmed: whatever stands between a marker and its terminator is the value.

// The seven values of one page; ExtractResumePage appends to them (callers pass them empty).
struct ResumePageFields {
    std::string name;
    std::string qualification;
    std::string specialization;
    std::string experience;
    std::string location;
    std::string email;
    std::string resumeText;
};

// False, with the values untouched, for the page the site serves for a number without a resume.
bool ExtractResumePage(std::string_view page, ResumePageFields& fields);
bool IsRecordPage(std::string_view page);
// Appends the value that starts `offset` characters after the first `key` at or after the search
// start, up to the first "</" or the end of the page.
void CutCellValue(std::string_view page, std::string_view key, std::size_t offset, std::string& value);
// Appends what follows the hidden e-mail input's key, up to the first '>' or the end of the page.
void CutHiddenEmail(std::string_view page, std::string& email);

// The first characters of a page hold the site's frame, never a field.
inline constexpr std::size_t kFieldSearchStart = 7000;
// What every label cell is followed by before its value: two saved line breaks, sixteen blanks
// and the value cell's two opening tags; skipped by count, never compared.
inline constexpr std::size_t kValueCellOpeningLength = 105;

inline constexpr std::string_view kNoRecordMarker = R"(<font face="Arial" size=2>No current record.</font>)";
inline constexpr std::string_view kNameKey =
    R"(<td width="178"><font face="Arial, Helvetica, sans-serif" size="2"><b>Name</b></font></td>)";
inline constexpr std::string_view kQualificationKey = "Qualifications</font></b></font></td>";
inline constexpr std::string_view kSpecializationKey = "Of Specialization</b></font></td>";
inline constexpr std::string_view kExperienceKey = "Of Experience</font></b></font></td>";
inline constexpr std::string_view kLocationKey = "Location Preference</font></b></font></td>";
inline constexpr std::string_view kResumeTextKey = R"(<textarea name="cv" rows="40" cols="55">)";
inline constexpr std::string_view kEmailKey = R"(<input type="hidden" name="candidateemail" VALUE=)";
