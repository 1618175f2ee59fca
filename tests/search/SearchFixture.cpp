#include "tests/search/SearchFixture.h"

#include "platform/ControlId.h"
#include "platform/DataFolder.h"
#include "store/Sqlite.h"

#include <QDialog>

void SearchTest::SetUp() {
    FreshBank();
    EditedResume = ResumeHandOver{};
    SelectedValueLists.Clear();
    g_resultQuery.clear();
}

void SearchTest::TearDown() {
    EditedResume = ResumeHandOver{};
    SelectedValueLists.Clear();
}

namespace {
std::int64_t Insert(SqliteConnection& bank, const BankResume& resume) {
    SqliteStatement abstract(bank,
                             "INSERT INTO [Abstract Information] (Name, Experience, Email, Organization, "
                             "Status) VALUES (?, ?, ?, ?, ?)");
    abstract.Bind(1, resume.name).Bind(2, resume.experience).Bind(3, resume.email);
    abstract.Bind(4, resume.organization).Bind(5, resume.status).Step();
    const std::int64_t id = bank.LastInsertRowId();
    const std::pair<const char*, const std::vector<std::string>*> lists[] = {
        {"Qualifications", &resume.qualifications},
        {"Specializations", &resume.specializations},
        {"Locations", &resume.locations}};
    for (const auto& [table, values] : lists) {
        for (const std::string& value : *values) {
            SqliteStatement row(bank, std::string("INSERT INTO ") + table + " VALUES (?, ?)");
            row.Bind(1, id).Bind(2, value).Step();
        }
    }
    SqliteStatement text(bank, "INSERT INTO Resume VALUES (?, ?)");
    text.Bind(1, id).Bind(2, resume.text).Step();
    return id;
}
} // namespace

std::string SearchTest::AddResume(const BankResume& resume) {
    SqliteConnection bank;
    bank.Open(BankPath());
    return std::to_string(Insert(bank, resume));
}

void SearchTest::AddResumes(const std::vector<BankResume>& resumes) {
    SqliteConnection bank;
    bank.Open(BankPath());
    bank.Execute("BEGIN");
    for (const BankResume& resume : resumes)
        Insert(bank, resume);
    bank.Execute("COMMIT");
}

int SearchTest::Count(const std::string& table) {
    return std::stoi(QueryRows("SELECT count(*) FROM [" + table + "]").at(0).at(0));
}

GridRows DataRows(const CMSFlexGrid& grid) {
    GridRows rows;
    for (long row = 1; row < grid.Rows(); ++row) {
        std::vector<std::string> cells;
        for (long column = 0; column < grid.model()->columnCount(); ++column)
            cells.push_back(grid.TextMatrix(row, column));
        rows.push_back(std::move(cells));
    }
    return rows;
}

CMSFlexGrid& GridOf(QDialog& window) {
    return *FindControl<CMSFlexGrid>(&window, 1022);
}
