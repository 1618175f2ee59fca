#include "bench/BackupBenchmark.h"

#include "platform/DataFolder.h"
#include "store/BankBackup.h"
#include "store/BankCheck.h"
#include "store/DurableFiles.h"
#include "store/QueryTexts.h"
#include "store/ResumeStore.h"
#include "store/Sqlite.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration elapsed) {
    return std::chrono::duration<double>(elapsed).count();
}

template <typename Work> double Timed(Work&& work) {
    const auto start = Clock::now();
    work();
    return Seconds(Clock::now() - start);
}

// The process's resident memory now and at its peak since the last reset, in MB.
std::pair<double, double> ResidentMb() {
    std::ifstream status("/proc/self/status");
    double now = 0, peak = 0;
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            now = std::stod(line.substr(6)) / 1024;
        if (line.rfind("VmHWM:", 0) == 0)
            peak = std::stod(line.substr(6)) / 1024;
    }
    return {now, peak};
}

void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The bank filled in one transaction, as many resumes as asked (3 KB of text each, the lists of a
// usual resume). The keyword index is left out: a backup copies pages, whatever they hold.
void FillBank(long count) {
    SqliteConnection bank;
    bank.Open(DataFolder() + kDatabaseFileName);
    bank.Execute("DROP TABLE IF EXISTS ResumeKeywords; DROP TABLE IF EXISTS ResumeKeywordsPending");
    for (const char* trigger :
         {"ResumeKeywordsNoteInsert", "ResumeKeywordsNoteUpdate", "ResumeKeywordsNoteDelete"})
        bank.Execute(std::string("DROP TRIGGER IF EXISTS ") + trigger);
    SqliteTransaction transaction(bank);
    SqliteStatement person(
        bank, "INSERT INTO [Abstract Information] (Name, Experience, Email, Organization, Status) "
              "VALUES (?, '2-5', ?, 'Example Ltd', 'Hold')");
    SqliteStatement text(bank, "INSERT INTO Resume (ID, Details) VALUES (?, ?)");
    SqliteStatement qualification(bank, "INSERT INTO Qualifications (ID, Qualification) VALUES (?, ?)");
    SqliteStatement specialization(bank,
                                   "INSERT INTO Specializations (ID, Specialization) VALUES (?, 'ERP')");
    SqliteStatement location(bank, "INSERT INTO Locations (ID, Location) VALUES (?, 'Pune')");
    std::string details(3000, 'r');
    for (long i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        person.Bind(1, "Candidate " + number).Bind(2, "c" + number + "@example.com").Step();
        person.Reset();
        const std::int64_t id = bank.LastInsertRowId();
        details.replace(0, number.size(), number);
        text.Bind(1, id).Bind(2, details).Step();
        text.Reset();
        qualification.Bind(1, id).Bind(2, i % 2 ? "B.E." : "M.C.A.").Step();
        qualification.Reset();
        specialization.Bind(1, id).Step();
        specialization.Reset();
        location.Bind(1, id).Step();
        location.Reset();
    }
    transaction.Commit();
}

bool AppendOne(int number) {
    const std::string name = "Appended " + std::to_string(number);
    ResumeStore store;
    store.record.name = name;
    store.record.qualifications = "B.E.,";
    return store.Open() == 1 && store.AppendResume() == 1 && store.Close() == 1;
}

// Appends a resume every 200 ms while `work` runs, ten at most (a busy recruiter's burst: a backup
// written to throughout starts again until the writes pause); the longest and the median append.
template <typename Work> std::pair<double, double> AppendsDuring(Work&& work) {
    std::atomic<bool> done{false};
    std::vector<double> waits;
    std::thread writer([&] {
        for (int number = 0; !done && number < 10; ++number) {
            waits.push_back(Timed([&] { AppendOne(number); }));
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    });
    work();
    done = true;
    writer.join();
    std::sort(waits.begin(), waits.end());
    return {waits.empty() ? 0 : waits.back(), waits.empty() ? 0 : waits[waits.size() / 2]};
}

} // namespace

int RunBackupBenchmark(long count) {
    const std::string bank = DataFolder() + kDatabaseFileName;
    const std::string folder = DataFolder() + "bench-backups/";
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::printf("filling a bank of %ld resumes: %.1f s\n", count, Timed([&] { FillBank(count); }));
    const double megabytes = static_cast<double>(std::filesystem::file_size(bank)) / (1024 * 1024);
    std::printf("bank: %.0f MB\n", megabytes);

    const std::string copy = DataFolder() + "plain-copy.mdb";
    const auto plainCopy = [&] {
        std::filesystem::remove(copy);
        return Timed([&] { CopyFileSynced(bank, copy); });
    };
    const double copyBefore = plainCopy();
    std::filesystem::remove_all(folder);
    const auto [before, unused] = ResidentMb();
    ResetPeak();
    BackupResult result;
    const double backup = Timed([&] { result = MakeBackup(DataFolder(), folder); });
    const auto [after, peak] = ResidentMb();
    const double copyAfter = plainCopy();
    std::printf("plain copy (synced): %.2f s before, %.2f s after the backup\n", copyBefore, copyAfter);
    std::printf(
        "backup (copy, quick_check, count, sync, rename): %.2f s = %.2fx the mean copy; %lld resumes\n",
        backup, backup / ((copyBefore + copyAfter) / 2), static_cast<long long>(result.backup.resumes));
    std::printf("memory during the backup: peak %.1f MB above the %.1f MB before\n", peak - before, before);

    const auto [idleLongest, idleMedian] =
        AppendsDuring([] { std::this_thread::sleep_for(std::chrono::milliseconds(2500)); });
    std::printf("append without a backup: median %.1f ms, longest %.1f ms\n", idleMedian * 1000,
                idleLongest * 1000);
    BackupResult during;
    const auto [longest, median] = AppendsDuring([&] {
        BackupOptions options;
        options.restartsAllowed = 1000000;
        during = MakeBackup(DataFolder(), folder, options);
    });
    std::printf(
        "append during a backup: median %.1f ms, longest %.1f ms (the backup started again %d times)\n",
        median * 1000, longest * 1000, during.restarts);

    std::filesystem::remove(copy);
    double vacuumLongest = 0;
    const double vacuum = Timed([&] {
        vacuumLongest = AppendsDuring([&] {
                            SqliteConnection source;
                            source.Open(bank);
                            source.Execute("VACUUM INTO '" + copy + "'");
                        }).first;
    });
    std::printf("VACUUM INTO (no check, no sync): %.2f s; longest append meanwhile %.0f ms\n", vacuum,
                vacuumLongest * 1000);
    std::filesystem::remove(copy);

    std::printf("quick_check: %.2f s\n", Timed([&] { CheckBankFile(bank, CheckDepth::Quick); }));
    std::printf("integrity_check: %.2f s\n", Timed([&] { CheckBankFile(bank, CheckDepth::Full); }));
    std::filesystem::remove_all(folder);
    return 0;
}
