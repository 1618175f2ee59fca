#include "store/DuplicateGroups.h"

#include "store/MatchKeyIndex.h"
#include "store/Sqlite.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <unordered_map>

namespace {

// The resumes tied so far, each to the first of its group.
class Ties {
public:
    std::int64_t Root(std::int64_t id) {
        auto found = m_parent.find(id);
        if (found == m_parent.end()) {
            m_parent.emplace(id, id);
            return id;
        }
        std::int64_t root = found->second;
        while (root != m_parent[root])
            root = m_parent[root];
        // Shortens the path for the next look.
        for (std::int64_t at = id; m_parent[at] != root;) {
            const std::int64_t next = m_parent[at];
            m_parent[at] = root;
            at = next;
        }
        return root;
    }
    void Tie(std::int64_t a, std::int64_t b, SameBy why) {
        Mark(a, why);
        Mark(b, why);
        const std::int64_t ra = Root(a);
        const std::int64_t rb = Root(b);
        if (ra != rb)
            m_parent[std::max(ra, rb)] = std::min(ra, rb);
    }
    bool Has(std::int64_t id) const { return m_why.count(id) != 0; }
    const std::unordered_map<std::int64_t, SameBy>& Whys() const { return m_why; }

private:
    void Mark(std::int64_t id, SameBy why) {
        auto [at, added] = m_why.emplace(id, why);
        if (!added && why < at->second)
            at->second = why;
    }
    std::unordered_map<std::int64_t, std::int64_t> m_parent;
    std::unordered_map<std::int64_t, SameBy> m_why;
};

// Rows of (key..., ID) sorted by key: each run of one key is a set of tied resumes, handed over
// as a list of IDs.
template <typename Take>
void ForEachShared(SqliteConnection& connection, const char* sql, int keyColumns, Take take) {
    SqliteStatement rows(connection, sql);
    std::vector<std::string> key;
    std::vector<std::int64_t> ids;
    auto flush = [&] {
        if (ids.size() > 1)
            take(ids);
        ids.clear();
    };
    while (rows.Step()) {
        std::vector<std::string> current;
        for (int column = 0; column < keyColumns; ++column)
            current.push_back(rows.ColumnText(column));
        if (current != key) {
            flush();
            key = std::move(current);
        }
        ids.push_back(rows.ColumnInt(keyColumns));
    }
    flush();
}

// Only resumes with their main row count: the others are never listed.
constexpr const char* kSharedEmails =
    "SELECT k.Email, k.ID FROM ResumeMatchKeys k JOIN [Abstract Information] a ON a.ID = k.ID WHERE k.Email "
    "IN "
    "(SELECT Email FROM ResumeMatchKeys WHERE Email IS NOT NULL GROUP BY Email HAVING count(*) > 1) "
    "ORDER BY k.Email, k.ID";
constexpr const char* kSharedPhones =
    "SELECT p.Phone, p.ID FROM ResumePhoneKeys p JOIN [Abstract Information] a ON a.ID = p.ID WHERE p.Phone "
    "IN "
    "(SELECT Phone FROM ResumePhoneKeys GROUP BY Phone HAVING count(*) > 1) ORDER BY p.Phone, p.ID";
constexpr const char* kSharedNamesAndOrganizations =
    "SELECT k.Name, k.Organization, k.ID FROM ResumeMatchKeys k JOIN [Abstract Information] a ON a.ID = k.ID "
    "WHERE (k.Name, k.Organization) IN (SELECT Name, Organization FROM ResumeMatchKeys WHERE Name IS NOT "
    "NULL "
    "AND Organization IS NOT NULL GROUP BY Name, Organization HAVING count(*) > 1) "
    "ORDER BY k.Name, k.Organization, k.ID";
constexpr const char* kSharedNames =
    "SELECT k.Name, k.ID FROM ResumeMatchKeys k JOIN [Abstract Information] a ON a.ID = k.ID WHERE k.Name IN "
    "(SELECT Name FROM ResumeMatchKeys WHERE Name IS NOT NULL GROUP BY Name HAVING count(*) > 1) "
    "ORDER BY k.Name, k.ID";

std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

} // namespace

const char* SameByWord(SameBy why) {
    switch (why) {
    case SameBy::Email:
        return "e-mail";
    case SameBy::Phone:
        return "phone";
    case SameBy::NameAndOrganization:
        return "name+organization";
    case SameBy::Name:
        break;
    }
    return "name";
}

std::vector<DuplicateRow> FindDuplicateGroups(SqliteConnection& connection) {
    if (!HasMatchKeys(connection))
        return {};
    Ties ties;
    const struct {
        const char* sql;
        int keyColumns;
        SameBy why;
    } strong[] = {{kSharedEmails, 1, SameBy::Email},
                  {kSharedPhones, 1, SameBy::Phone},
                  {kSharedNamesAndOrganizations, 2, SameBy::NameAndOrganization}};
    for (const auto& tie : strong) {
        ForEachShared(connection, tie.sql, tie.keyColumns, [&](const std::vector<std::int64_t>& ids) {
            for (std::size_t i = 1; i < ids.size(); ++i)
                ties.Tie(ids[0], ids[i], tie.why);
        });
    }
    // A name alone ties only what nothing stronger did.
    Ties names;
    ForEachShared(connection, kSharedNames, 1, [&](const std::vector<std::int64_t>& ids) {
        std::vector<std::int64_t> left;
        std::copy_if(ids.begin(), ids.end(), std::back_inserter(left),
                     [&](std::int64_t id) { return !ties.Has(id); });
        for (std::size_t i = 1; i < left.size(); ++i)
            names.Tie(left[0], left[i], SameBy::Name);
    });

    struct Group {
        SameBy strongest;
        std::vector<std::pair<std::int64_t, SameBy>> members;
    };
    std::map<std::int64_t, Group> byRoot; // keyed by the group's first ID
    for (Ties* set : {&ties, &names}) {
        for (const auto& [id, why] : set->Whys()) {
            Group& group = byRoot.try_emplace(set->Root(id), Group{why, {}}).first->second;
            group.strongest = std::min(group.strongest, why);
            group.members.emplace_back(id, why);
        }
    }
    std::vector<const Group*> order;
    for (auto& [root, group] : byRoot) {
        std::sort(group.members.begin(), group.members.end());
        order.push_back(&group);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Group* a, const Group* b) { return a->strongest < b->strongest; });

    SqliteStatement fields(connection, "SELECT Name, Email FROM [Abstract Information] WHERE ID = ?");
    std::vector<DuplicateRow> rows;
    int number = 0;
    for (const Group* group : order) {
        ++number;
        for (const auto& [id, why] : group->members) {
            DuplicateRow row{number, why, id, {}, {}};
            if (fields.Bind(1, id).Step()) {
                row.name = fields.ColumnText(0);
                row.email = fields.ColumnText(1);
            }
            fields.Reset();
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

void WriteDuplicateLines(std::ostream& out, const std::vector<DuplicateRow>& rows) {
    for (const DuplicateRow& row : rows)
        out << row.group << '\t' << SameByWord(row.why) << '\t' << row.id << '\t' << OneLine(row.name) << '\t'
            << OneLine(row.email) << '\n';
}

void PrintDuplicates(SqliteConnection& connection, std::ostream& out) {
    RefreshMatchKeys(connection, [](std::int64_t, std::int64_t) { return true; });
    WriteDuplicateLines(out, FindDuplicateGroups(connection));
}
