#include "store/SameResumes.h"

#include "store/MatchKeyIndex.h"
#include "store/MatchKeys.h"
#include "store/Sqlite.h"

namespace {

// Catching up on more than this would hold up the typing; the start's preparation does the bulk.
constexpr std::int64_t kMostCaughtUpOnTheFly = 2000;

struct Tie {
    SameBy why;
    // The matching resumes that have their main row: parameters ?1 the own ID, ?2 and ?3 the keys.
    const char* from;
};

constexpr Tie kTies[] = {
    {SameBy::Email, "FROM ResumeMatchKeys k JOIN [Abstract Information] a ON a.ID = k.ID "
                    "WHERE k.Email = ?2 AND k.ID <> ?1"},
    {SameBy::Phone, "FROM ResumePhoneKeys k JOIN [Abstract Information] a ON a.ID = k.ID "
                    "WHERE k.Phone = ?2 AND k.ID <> ?1"},
    {SameBy::NameAndOrganization, "FROM ResumeMatchKeys k JOIN [Abstract Information] a ON a.ID = k.ID "
                                  "WHERE k.Name = ?2 AND k.Organization = ?3 AND k.ID <> ?1"},
    {SameBy::Name, "FROM ResumeMatchKeys k JOIN [Abstract Information] a ON a.ID = k.ID "
                   "WHERE k.Name = ?2 AND k.ID <> ?1"},
};

std::optional<SameResume> Look(SqliteConnection& connection, const Tie& tie, std::int64_t ownId,
                               const std::string& key, const std::string& second) {
    SqliteStatement first(connection, std::string("SELECT k.ID, a.Name, a.Status ") + tie.from +
                                          " ORDER BY k.ID LIMIT 1");
    const bool twoKeys = tie.why == SameBy::NameAndOrganization;
    first.Bind(1, ownId).Bind(2, key);
    if (twoKeys)
        first.Bind(3, second);
    if (!first.Step())
        return std::nullopt;
    SameResume same{tie.why, first.ColumnInt(0), first.ColumnText(1), first.ColumnText(2), 0};
    SqliteStatement count(connection, std::string("SELECT count(*) ") + tie.from);
    count.Bind(1, ownId).Bind(2, key);
    if (twoKeys)
        count.Bind(3, second);
    count.Step();
    same.count = count.ColumnInt(0);
    return same;
}

} // namespace

std::optional<SameResume> FindSameResume(SqliteConnection& connection, const EntryValues& entry) {
    if (!HasMatchKeys(connection))
        return std::nullopt;
    if (const std::int64_t waiting = PendingMatchKeys(connection);
        waiting > 0 && waiting <= kMostCaughtUpOnTheFly)
        RefreshMatchKeys(connection, [](std::int64_t, std::int64_t) { return true; });
    const std::string name = NameKey(entry.name);
    const std::string keys[][2] = {{EmailKey(entry.email), {}},
                                   {PhoneKey(entry.phone), {}},
                                   {name, WordsKey(entry.organization)},
                                   {name, {}}};
    for (std::size_t i = 0; i < std::size(kTies); ++i) {
        if (keys[i][0].empty() || (i == 2 && keys[i][1].empty()))
            continue;
        if (auto same = Look(connection, kTies[i], entry.ownId, keys[i][0], keys[i][1]))
            return same;
    }
    return std::nullopt;
}
