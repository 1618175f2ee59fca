#pragma once

#include <stdexcept>
#include <string>

// The three pick lists the harvested values are matched against.
struct HarvestPickLists {
    std::string qualifications;
    std::string specializations;
    std::string locations;
};

// A saved page that vanished or could not be read during the import.
class PageReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the pick lists through a store; a store that does not open has said so, and the lists
// stay empty.
HarvestPickLists LoadHarvestPickLists();

// Stores one resume per usable page in the working folder, one message per stored page, keeps
// the resume-number file, removes the folder when it is empty and says that downloading ended.
// Engine errors (EngineError) and unreadable pages (PageReadError) end it where it stands: the
// pages not yet taken stay for the next harvest.
void ImportDownloadedPages(const HarvestPickLists& lists);

// A file in the working folder larger than any saved page is removed without being read.
std::string PageTooLargeToImport(const std::string& path);

inline constexpr const char* kRecordAdded = "successfully another record added to the database";
inline constexpr const char* kDownloadingTerminated = "Downloading terminated on user request";
// Pages without a record that end an import: the site has run out of resumes.
inline constexpr int kMostMissingPages = 50;
