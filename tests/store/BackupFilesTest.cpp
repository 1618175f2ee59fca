#include "store/BackupFiles.h"

#include <gtest/gtest.h>
#include <set>

namespace {

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 24 * kHour;

TEST(BackupNames, OnlyAWholeBackupsNameIsReadAsOne) {
    BackupEntry entry;
    ASSERT_TRUE(ParseBackupFileName("TalvanorData-2026-12-09-103000-1234-resumes.mdb", entry));
    EXPECT_EQ(BackupDateText(entry.made), "2026-12-09 10:30:00");
    EXPECT_EQ(entry.resumes, 1234);
    EXPECT_EQ(entry.sequence, 1);
    ASSERT_TRUE(ParseBackupFileName("TalvanorData-2026-12-09-103000_3-0-resumes.mdb", entry));
    EXPECT_EQ(entry.sequence, 3);
    EXPECT_EQ(entry.resumes, 0);
    // Made and read back: the same name.
    EXPECT_EQ(BackupFileName(entry.made, 3, 0), "TalvanorData-2026-12-09-103000_3-0-resumes.mdb");
    for (const char* other :
         {".TalvanorData-4711-1.mdb.partial", "TalvanorData.mdb",
          "TalvanorData-2026-12-09-103000-1234-resumes.mdb.partial",
          "TalvanorData-2026-13-09-103000-1-resumes.mdb", "TalvanorData-2026-12-09-1030-1-resumes.mdb",
          "TalvanorData-2026-12-09-103000-x-resumes.mdb", "TalvanorData-2026-12-09-103000_-1-resumes.mdb",
          "TalvanorData-replaced-2026-12-09-103000.mdb", "TalvanorData-2026-12-09-103000--resumes.mdb"})
        EXPECT_FALSE(ParseBackupFileName(other, entry)) << other;
}

std::vector<BackupEntry> Made(const std::vector<std::int64_t>& times) {
    std::vector<BackupEntry> entries;
    for (const std::int64_t made : times)
        entries.push_back(BackupEntry{"", std::to_string(made), made, 1, 0, 0});
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.made > b.made; });
    return entries;
}

std::set<std::int64_t> Removed(const std::vector<BackupEntry>& entries, std::int64_t now) {
    std::set<std::int64_t> removed;
    for (const BackupEntry& entry : BackupsToRemove(entries, now))
        removed.insert(entry.made);
    return removed;
}

TEST(BackupRotation, KeepsEveryRecentBackupThenOneADayAWeekAMonthAndNeverTheNewest) {
    const std::int64_t now = 1796800000 + 12 * kHour; // noon-ish local time whatever the zone
    // Every half hour of the last two days stays.
    std::vector<std::int64_t> recent;
    for (std::int64_t age = 0; age < 2 * kDay; age += kHour / 2)
        recent.push_back(now - age);
    EXPECT_EQ(Removed(Made(recent), now), std::set<std::int64_t>{});

    // Three a day from 3 to 13 days ago: the newest of each day stays.
    std::vector<std::int64_t> daily;
    std::set<std::int64_t> dailyRemoved;
    for (int day = 3; day <= 13; ++day) {
        const std::int64_t noon = now - day * kDay;
        for (const std::int64_t made : {noon + 2 * kHour, noon, noon - 2 * kHour})
            daily.push_back(made);
        dailyRemoved.insert({noon, noon - 2 * kHour});
    }
    EXPECT_EQ(Removed(Made(daily), now), dailyRemoved);

    // One a day from 15 days to 8 weeks: about one a week stays.
    std::vector<std::int64_t> weekly;
    for (int day = 15; day < 56; ++day)
        weekly.push_back(now - day * kDay);
    const std::size_t weeklyKept = weekly.size() - Removed(Made(weekly), now).size();
    EXPECT_GE(weeklyKept, 5u);
    EXPECT_LE(weeklyKept, 7u);

    // One a week for two years: one a month to a year, nothing older, but for the newest.
    std::vector<std::int64_t> years;
    for (int week = 9; week < 104; ++week)
        years.push_back(now - week * 7 * kDay);
    const std::set<std::int64_t> removed = Removed(Made(years), now);
    const std::size_t kept = years.size() - removed.size();
    EXPECT_GE(kept, 10u);
    EXPECT_LE(kept, 12u);
    EXPECT_EQ(removed.count(now - 9 * 7 * kDay), 0u) << "the newest stays";
    for (int week = 53; week < 104; ++week)
        EXPECT_EQ(removed.count(now - week * 7 * kDay), 1u) << week;
    // Only very old backups: the newest of them still stays.
    EXPECT_EQ(Removed(Made({now - 500 * kDay, now - 600 * kDay}), now),
              std::set<std::int64_t>{now - 600 * kDay});
}

TEST(BackupRotation, WithTheClockSetBackTheBackupsMadeLastStay) {
    const std::int64_t now = 1796800000;
    // Made while the clock ran a year ahead, then the one made now, after it was put right.
    std::vector<std::int64_t> times;
    for (int hour = 0; hour < 48; ++hour)
        times.push_back(now + 365 * kDay + hour * kHour);
    times.push_back(now);
    times.push_back(now - 20 * kDay);
    EXPECT_EQ(Removed(Made(times), now), std::set<std::int64_t>{});
}

} // namespace
