// Times the store on a large bank: appends N resumes the way the program does (a store opened
// and closed around each one), then runs the listing join over all of them.
// Usage: store_benchmark [N]   (uses $XDG_DATA_HOME/talvanor/, which must not hold a bank)
//        store_benchmark --backups N   backups, the checks and an append's wait on a bank of N
#include "bench/BackupBenchmark.h"
#include "platform/DataFolder.h"
#include "platform/MessageBox.h"
#include "store/QueryTexts.h"
#include "store/ResumeStore.h"
#include "tools/BankSetup.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const bool backups = argc > 2 && std::string_view(argv[1]) == "--backups";
    const long count = argc > 1 ? std::atol(argv[backups ? 2 : 1]) : 20000;
    SetMessageAnswerer([](const MessageRequest& request) {
        std::fprintf(stderr, "message: %s\n", request.text.c_str());
        return MessageAnswer::Ok;
    });
    if (std::filesystem::exists(DataFolder() + kDatabaseFileName)) {
        std::fprintf(stderr, "%s already holds a bank; point XDG_DATA_HOME elsewhere\n",
                     DataFolder().c_str());
        return 2;
    }
    PrepareDataFolder(DataFolder());
    if (backups)
        return RunBackupBenchmark(count);

    const std::string text(3000, 'r');
    auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i) {
        const std::string name = "Candidate " + std::to_string(i);
        ResumeStore store;
        store.record.name = name;
        store.record.experience = "2-5";
        store.record.status = "Hold";
        store.record.resumeText = text;
        store.record.qualifications = i % 2 ? "B.E.,M.Tech.," : "M.C.A.,";
        store.record.specializations = "ERP,VC++,";
        store.record.locations = "Pune,";
        if (store.Open() != 1 || store.AppendResume() != 1 || store.Close() != 1)
            return 1;
    }
    const double appendSeconds = SecondsSince(start);

    start = std::chrono::steady_clock::now();
    ResumeStore store;
    store.Open();
    SqliteStatement listing = store.OpenSnapshot(kAllRecordsQuery);
    long rows = 0;
    while (listing.Step())
        ++rows;
    const double listingSeconds = SecondsSince(start);

    std::printf("appended %ld resumes in %.1f s (%.2f ms each)\n", count, appendSeconds,
                1000 * appendSeconds / count);
    std::printf("listing join: %ld rows in %.2f s\n", rows, listingSeconds);
    return 0;
}
