#include "bench/proposals/SampleResume.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> Items(const std::string& list) {
    std::vector<std::string> items;
    std::stringstream stream(list);
    for (std::string item; std::getline(stream, item, ',');) {
        if (!Trim(item).empty())
            items.push_back(Trim(item));
    }
    return items;
}

std::optional<std::chrono::sys_days> Day(const std::string& text) {
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    if (std::sscanf(text.c_str(), "%d-%u-%u", &year, &month, &day) != 3)
        return std::nullopt;
    return std::chrono::sys_days(std::chrono::year(year) / std::chrono::month(month) / std::chrono::day(day));
}

SampleResume Read(const std::filesystem::path& path) {
    std::ifstream in(path);
    SampleResume resume;
    resume.file = path.filename().string();
    std::string line;
    bool body = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (body) {
            resume.body.push_back(line);
            continue;
        }
        if (line == "---") {
            body = true;
            continue;
        }
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            throw std::runtime_error(resume.file + ": no key in \"" + line + "\"");
        const std::string key = line.substr(0, colon);
        const std::string value = Trim(line.substr(colon + 1));
        if (key == "format")
            resume.format = value;
        else if (key == "layout")
            resume.layout = value;
        else if (key == "date")
            resume.date = Day(value);
        else if (key == "name")
            resume.name = value;
        else if (key == "email")
            resume.email = value;
        else if (key == "phone")
            resume.phone = value;
        else if (key == "organization")
            resume.organization = value;
        else if (key == "experience")
            resume.experience = value;
        else if (key == "qualifications")
            resume.qualifications = Items(value);
        else if (key == "specializations")
            resume.specializations = Items(value);
        else if (key == "locations")
            resume.locations = Items(value);
        else
            throw std::runtime_error(resume.file + ": unknown key " + key);
    }
    if (!body || resume.format.empty())
        throw std::runtime_error(resume.file + ": no format or no body");
    return resume;
}

} // namespace

std::vector<SampleResume> ReadSampleResumes(const std::string& folder) {
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".resume")
            paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    std::vector<SampleResume> resumes;
    for (const auto& path : paths)
        resumes.push_back(Read(path));
    return resumes;
}
