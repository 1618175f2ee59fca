#include "harvest/PageExtraction.h"

namespace {
std::size_t FindField(std::string_view page, std::string_view key) {
    return page.size() <= kFieldSearchStart ? std::string_view::npos : page.find(key, kFieldSearchStart);
}
} // namespace

bool IsRecordPage(std::string_view page) {
    return page.find(kNoRecordMarker) == std::string_view::npos;
}

void CutCellValue(std::string_view page, std::string_view key, std::size_t offset, std::string& value) {
    const std::size_t start = FindField(page, key);
    if (start == std::string_view::npos)
        return;
    for (std::size_t position = start + offset; position < page.size(); ++position) {
        if (page[position] == '<' && position + 1 < page.size() && page[position + 1] == '/')
            return;
        value += page[position];
    }
}

void CutHiddenEmail(std::string_view page, std::string& email) {
    const std::size_t start = FindField(page, kEmailKey);
    if (start == std::string_view::npos)
        return;
    const std::string_view rest = page.substr(start + kEmailKey.size());
    email += rest.substr(0, rest.find('>'));
}

bool ExtractResumePage(std::string_view page, ResumePageFields& fields) {
    if (!IsRecordPage(page))
        return false;
    CutCellValue(page, kNameKey, kNameKey.size() + kValueCellOpeningLength, fields.name);
    CutCellValue(page, kQualificationKey, kQualificationKey.size() + kValueCellOpeningLength,
                 fields.qualification);
    CutCellValue(page, kSpecializationKey, kSpecializationKey.size() + kValueCellOpeningLength,
                 fields.specialization);
    CutCellValue(page, kExperienceKey, kExperienceKey.size() + kValueCellOpeningLength, fields.experience);
    CutCellValue(page, kLocationKey, kLocationKey.size() + kValueCellOpeningLength, fields.location);
    CutCellValue(page, kResumeTextKey, kResumeTextKey.size(), fields.resumeText);
    CutHiddenEmail(page, fields.email);
    return true;
}
