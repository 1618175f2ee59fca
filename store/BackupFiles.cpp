#include "store/BackupFiles.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <memory>
#include <set>
#include <sys/stat.h>

namespace {

constexpr const char* kPrefix = "TalvanorData-";
constexpr const char* kSuffix = "-resumes.mdb";
constexpr std::int64_t kDay = 24 * 60 * 60;

std::tm LocalTime(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string DefaultBackupFolder(const std::string& dataFolder) {
    return dataFolder + "backups/";
}

std::string FolderWithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string BackupFileName(std::int64_t made, int sequence, std::int64_t resumes) {
    const std::tm local = LocalTime(made);
    char stamp[80];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d-%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    std::string name = std::string(kPrefix) + stamp;
    if (sequence > 1)
        name += "_" + std::to_string(sequence);
    return name + "-" + std::to_string(resumes) + kSuffix;
}

bool ParseBackupFileName(const std::string& fileName, BackupEntry& entry) {
    const std::string prefix = kPrefix;
    const std::string suffix = kSuffix;
    if (fileName.size() <= prefix.size() + suffix.size() || fileName.compare(0, prefix.size(), prefix) != 0 ||
        fileName.compare(fileName.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string middle =
        fileName.substr(prefix.size(), fileName.size() - prefix.size() - suffix.size());
    // YYYY-MM-DD-HHMMSS[_N]-RESUMES
    const std::size_t lastDash = middle.rfind('-');
    if (lastDash == std::string::npos || lastDash < 17)
        return false;
    const std::string resumes = middle.substr(lastDash + 1);
    std::string stamp = middle.substr(0, lastDash);
    int sequence = 1;
    if (const std::size_t underscore = stamp.find('_'); underscore != std::string::npos) {
        const std::string number = stamp.substr(underscore + 1);
        if (!AllDigits(number) || number.size() > 6)
            return false;
        sequence = std::stoi(number);
        stamp.resize(underscore);
    }
    if (stamp.size() != 17 || stamp[4] != '-' || stamp[7] != '-' || stamp[10] != '-' || !AllDigits(resumes) ||
        resumes.size() > 15)
        return false;
    const std::string digits =
        stamp.substr(0, 4) + stamp.substr(5, 2) + stamp.substr(8, 2) + stamp.substr(11);
    if (!AllDigits(digits))
        return false;
    std::tm local{};
    local.tm_year = std::stoi(digits.substr(0, 4)) - 1900;
    local.tm_mon = std::stoi(digits.substr(4, 2)) - 1;
    local.tm_mday = std::stoi(digits.substr(6, 2));
    local.tm_hour = std::stoi(digits.substr(8, 2));
    local.tm_min = std::stoi(digits.substr(10, 2));
    local.tm_sec = std::stoi(digits.substr(12, 2));
    local.tm_isdst = -1;
    if (local.tm_mon > 11 || local.tm_mday < 1 || local.tm_mday > 31 || local.tm_hour > 23 ||
        local.tm_min > 59 || local.tm_sec > 60)
        return false;
    entry.fileName = fileName;
    entry.made = static_cast<std::int64_t>(std::mktime(&local));
    entry.sequence = sequence;
    entry.resumes = std::stoll(resumes);
    return true;
}

std::vector<BackupEntry> ListBackups(const std::string& folder) {
    const std::string base = FolderWithSlash(folder);
    std::vector<BackupEntry> backups;
    std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(base.c_str()), ::closedir);
    if (!directory)
        return backups;
    while (const dirent* item = ::readdir(directory.get())) {
        BackupEntry entry;
        if (!ParseBackupFileName(item->d_name, entry))
            continue;
        entry.path = base + entry.fileName;
        struct stat info {};
        if (::stat(entry.path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        entry.size = info.st_size;
        backups.push_back(std::move(entry));
    }
    std::sort(backups.begin(), backups.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return a.made != b.made ? a.made > b.made : a.sequence > b.sequence;
    });
    return backups;
}

std::string BackupDateText(std::int64_t made) {
    const std::tm local = LocalTime(made);
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::vector<BackupEntry> BackupsToRemove(const std::vector<BackupEntry>& newestFirst, std::int64_t now) {
    std::vector<BackupEntry> removed;
    std::set<std::string> filledBuckets;
    for (std::size_t index = 0; index < newestFirst.size(); ++index) {
        const BackupEntry& backup = newestFirst[index];
        const std::int64_t age = now - backup.made;
        if (age <= 2 * kDay)
            continue; // those of the last two days, and those dated ahead of the clock
        const std::tm local = LocalTime(backup.made);
        std::string bucket;
        if (age <= 14 * kDay)
            bucket = "day " + std::to_string(local.tm_year) + "-" + std::to_string(local.tm_yday);
        else if (age <= 8 * 7 * kDay)
            // Weeks counted from the epoch's Monday (1970-01-05), in local days.
            bucket = "week " + std::to_string((backup.made + local.tm_gmtoff - 4 * kDay) / (7 * kDay));
        else if (age <= 365 * kDay)
            bucket = "month " + std::to_string(local.tm_year) + "-" + std::to_string(local.tm_mon);
        const bool first = !bucket.empty() && filledBuckets.insert(bucket).second;
        if (index == 0 || first)
            continue; // the newest of all, and the newest of its day, week or month
        removed.push_back(backup);
    }
    return removed;
}
