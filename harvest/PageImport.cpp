#include "harvest/PageImport.h"

#include "harvest/DownloadWorker.h"
#include "harvest/HarvestStop.h"
#include "harvest/Normalisation.h"
#include "harvest/PageExtraction.h"
#include "harvest/PageFile.h"
#include "harvest/ResumeIdFile.h"
#include "platform/MessageBox.h"
#include "store/ResumeStore.h"
#include "store/Vocabulary.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>

namespace fs = std::filesystem;

namespace {

bool IsPageFile(const fs::directory_entry& entry) {
    std::string extension = entry.path().extension().string();
    for (char& byte : extension)
        byte = static_cast<char>(std::tolower(static_cast<unsigned char>(byte)));
    return extension == ".txt" && entry.is_regular_file();
}

std::string UnreadablePage(const fs::path& file) {
    return "The downloaded page " + file.string() + " could not be read.";
}

// The page's bytes, or nothing for a file larger than any page the worker saves, which is
// not read at all; the file is deleted either way.
std::optional<std::string> TakePage(const fs::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in)
        throw PageReadError(UnreadablePage(file));
    const std::streamoff size = in.tellg();
    if (size < 0)
        throw PageReadError(UnreadablePage(file));
    std::optional<std::string> page;
    if (static_cast<std::uintmax_t>(size) <= kLargestSavedPage) {
        page.emplace(static_cast<std::size_t>(size), '\0');
        in.seekg(0);
        if (!in.read(page->data(), size))
            throw PageReadError(UnreadablePage(file));
    }
    in.close();
    std::error_code ignored;
    fs::remove(file, ignored);
    return page;
}

// The matched values of one free-text list, or the stand-in when nothing matched.
std::string MatchedList(std::string text, std::string pickList, std::string_view none) {
    MatchPickList(text, pickList);
    return text.empty() ? std::string(none) : text;
}

// Stores one page's resume, telling the user how it went in exactly one message.
void StorePage(ResumeStore& store, ResumePageFields& fields, const HarvestPickLists& lists) {
    NormaliseQualifications(fields.qualification);
    NormaliseSpecializations(fields.specialization);
    NormaliseExperience(fields.experience);
    store.record = ResumeRecord{};
    store.record.qualifications =
        MatchedList(fields.qualification, lists.qualifications, kOthersQualification);
    store.record.specializations = MatchedList(fields.specialization, lists.specializations, kNotSpecified);
    store.record.locations = MatchedList(fields.location, lists.locations, kNotSpecified);
    store.record.name = fields.name;
    store.record.experience = fields.experience;
    store.record.email = fields.email;
    store.record.resumeText = fields.resumeText;
    store.record.organization = kNotSpecified;
    store.record.status = kHarvestActiveStatus;

    if (store.Open() != 1)
        ShowMessage(kUnableToOpenDatabase);
    else if (store.AppendResume() != 1)
        ShowMessage(kUnableToWriteDatabase); // the store stays open
    else if (store.Close() != 1)
        ShowMessage(kUnableToCloseDatabase);
    else
        ShowMessage(kRecordAdded);
}

// The number file never wraps: at either end of the integer range the number stays put.
int NumberAfter(int number) {
    return number < std::numeric_limits<int>::max() ? number + 1 : number;
}
int NumberBefore(int number, int count) {
    return number < std::numeric_limits<int>::min() + count ? std::numeric_limits<int>::min()
                                                            : number - count;
}

void KeepNumber(int number) {
    std::string text;
    SyncIdText(text, number);
    WriteResumeIdFile(text);
}

} // namespace

std::string PageTooLargeToImport(const std::string& path) {
    return "The downloaded page " + path + " is too large to be a resume page; it was removed unread.";
}

HarvestPickLists LoadHarvestPickLists() {
    HarvestPickLists lists;
    ResumeStore store;
    store.Open();
    store.LoadPickList(lists.qualifications, lists.specializations, lists.locations);
    store.Close();
    return lists;
}

void ImportDownloadedPages(const HarvestPickLists& lists) {
    ResumeStore store;
    int missingPages = 0;
    int nextNumber = 0;
    std::string numberText;
    ReadResumeIdFile(numberText);
    SyncIdText(numberText, nextNumber);

    std::error_code noFolder;
    for (fs::directory_iterator entry(WorkingFolder(), noFolder), end; !noFolder && entry != end;
         entry.increment(noFolder)) {
        if (!IsPageFile(*entry))
            continue;
        const std::optional<std::string> page = TakePage(entry->path());
        if (!page) {
            ShowMessage(PageTooLargeToImport(entry->path().string()));
            continue;
        }
        ResumePageFields fields;
        if (!ExtractResumePage(*page, fields)) {
            if (++missingPages > kMostMissingPages) {
                // The site has no more resumes: ask again from there.
                nextNumber = NumberBefore(nextNumber, missingPages);
                break;
            }
            continue;
        }
        if (fields.email.empty())
            continue;
        StorePage(store, fields, lists);
        nextNumber = NumberAfter(nextNumber);
        KeepNumber(nextNumber);
    }
    KeepNumber(nextNumber);
    std::error_code leftFiles;
    fs::remove(WorkingFolder(), leftFiles); // stays while pages are left in it
    ShowMessage(kDownloadingTerminated);
    HarvestStopFlag = 0;
}
