#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

class SqliteConnection;

// Why two resumes are taken for the same person, strongest first.
enum class SameBy { Email, Phone, NameAndOrganization, Name };

// "e-mail", "phone", "name+organization", "name": the words scripts read.
const char* SameByWord(SameBy why);

// One resume of a group of resumes that seem to be one person.
struct DuplicateRow {
    int group = 0;              // from 1, in the order the groups are listed
    SameBy why = SameBy::Email; // the strongest tie of this resume to another of its group
    std::int64_t id = 0;
    std::string name;
    std::string email;
};

// The bank's groups, each resume in one group at most: resumes tied by the same e-mail, telephone
// number, or name with organization (directly or through others) make one group; of the resumes
// left, those of the same name make groups of their own. Groups with a stronger tie come first,
// then by their first ID; a group's resumes stand together in ID order. Reads the match keys as
// they stand: catch up first (RefreshMatchKeys). Throws EngineError.
std::vector<DuplicateRow> FindDuplicateGroups(SqliteConnection& connection);

// One line a resume, tab-separated: group number, why, ID, name, e-mail. Tabs and line ends in a
// name or e-mail are written as blanks, so that each resume stays one line.
void WriteDuplicateLines(std::ostream& out, const std::vector<DuplicateRow>& rows);

// What `talvanor-bank duplicates` prints: catches up on the keys (where the bank can be written),
// then writes the groups' lines. Throws EngineError.
void PrintDuplicates(SqliteConnection& connection, std::ostream& out);
