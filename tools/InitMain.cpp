// talvanor-init: prepares the data folder so the program finds its bank.
#include "platform/DataFolder.h"
#include "store/KeywordIndex.h"
#include "store/QueryTexts.h"
#include "store/Sqlite.h"
#include "tools/BankSetup.h"

#include <QCoreApplication>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <exception>
#include <string_view>

namespace {

std::atomic<bool> g_interrupted{false};

void OnInterrupt(int) {
    g_interrupted = true;
}

// Adds the keyword index to a bank made before it existed, showing progress; Ctrl+C stops it and
// leaves the bank as it was. False when stopped.
bool AddKeywordIndexIfMissing(bool& added) {
    SqliteConnection bank;
    bank.Open(DataFolder() + kDatabaseFileName);
    if (HasKeywordIndex(bank))
        return true;
    std::signal(SIGINT, OnInterrupt);
    int shownPercent = -1;
    const bool built = BuildKeywordIndex(bank, [&shownPercent](std::int64_t done, std::int64_t total) {
        const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
        if (percent != shownPercent) {
            shownPercent = percent;
            std::printf("\rAdding the keyword index: %lld of %lld resumes (%d%%)",
                        static_cast<long long>(done), static_cast<long long>(total), percent);
            if (percent == 100)
                std::printf(", putting it in order");
            std::fflush(stdout);
        }
        return !g_interrupted;
    });
    std::signal(SIGINT, SIG_DFL);
    std::printf("\n");
    added = built;
    return built;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1) {
        // Asked for, the usage is the answer; after anything else it says what went wrong.
        const bool asked = argc == 2 && std::string_view(argv[1]) == "--help";
        std::fprintf(asked ? stdout : stderr,
                     "usage: talvanor-init\nPrepares %s without changing anything in it.\n",
                     DataFolder().c_str());
        return asked ? 0 : 2;
    }
    try {
        const BankSetupResult result = PrepareDataFolder(DataFolder());
        bool addedIndex = false;
        if (!AddKeywordIndexIfMissing(addedIndex)) {
            std::printf("Stopped: the bank is as it was, without a keyword index.\n");
            return 130;
        }
        if (!result.Changed() && !addedIndex) {
            std::printf("%s is already prepared; nothing changed.\n", DataFolder().c_str());
            return 0;
        }
        if (result.createdFolder)
            std::printf("Created the folder %s\n", DataFolder().c_str());
        if (result.createdDatabase)
            std::printf("Created an empty bank %sTalvanorData.mdb\n", DataFolder().c_str());
        if (result.addedOurTables)
            std::printf("Added Talvanor's own tables to %sTalvanorData.mdb\n", DataFolder().c_str());
        if (result.sweptOriginals.files > 0)
            std::printf("Removed %d kept original file(s) that no resume names\n",
                        result.sweptOriginals.files);
        if (result.sweptOriginals.rows > 0)
            std::printf("Removed %d kept original record(s) of deleted resumes\n",
                        result.sweptOriginals.rows);
        if (addedIndex)
            std::printf("Added the keyword index to %sTalvanorData.mdb\n", DataFolder().c_str());
        if (result.createdNumberFile)
            std::printf("Created %s%s\n", DataFolder().c_str(), kResumeNumberFileName);
        if (result.createdClip)
            std::printf("Created %s%s\n", DataFolder().c_str(), kClipFileName);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "talvanor-init: %s\n", error.what());
        return 1;
    }
}
