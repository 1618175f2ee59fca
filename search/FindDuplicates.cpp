#include "search/FindDuplicates.h"

#include "entry/EditedResume.h"
#include "platform/DataFolder.h"
#include "platform/EngineError.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "platform/ProgressBox.h"
#include "platform/WaitCursor.h"
#include "search/FileViewDialog.h"
#include "search/ResultDialog.h"
#include "search/ResultQuery.h"
#include "store/MatchKeyIndex.h"
#include "store/QueryTexts.h"
#include "store/Sqlite.h"

#include <cstdio>
#include <utility>

namespace {

// Below this many waiting resumes the keys are made without a window: a moment's work.
constexpr std::int64_t kQuietlyMade = 2000;

// False when the user stopped it.
bool Refresh(QWidget* parent, SqliteConnection& bank) {
    if (PendingMatchKeys(bank) <= kQuietlyMade) {
        const WaitCursor waiting;
        RefreshMatchKeys(bank, [](std::int64_t, std::int64_t) { return true; });
        return true;
    }
    ProgressBox progress(parent, QString::fromUtf8(kMakingMatchKeys));
    return RefreshMatchKeys(
        bank, [&progress](std::int64_t done, std::int64_t total) { return progress.Report(done, total); });
}

} // namespace

std::string DuplicatesQueryText(const std::vector<DuplicateRow>& rows) {
    std::string values;
    values.reserve(rows.size() * 32);
    for (std::size_t place = 0; place < rows.size(); ++place) {
        const DuplicateRow& row = rows[place];
        values += place == 0 ? "(" : ",(";
        values += std::to_string(row.id) + "," + std::to_string(row.group) + ",'" + SameByWord(row.why) +
                  "'," + std::to_string(place) + ")";
    }
    // The list values of a resume in the order the bank stores them, as All Records shows them.
    return "WITH Duplicates (ID, GroupNumber, Why, Place) AS (VALUES " + values +
           ") SELECT [Abstract Information].*, Qualifications.*, Specializations.*, Locations.*, "
           "Duplicates.GroupNumber, Duplicates.Why FROM Duplicates, [Abstract Information], Qualifications, "
           "Specializations, Locations WHERE [Abstract Information].ID=Duplicates.ID AND "
           "[Abstract Information].ID=Specializations.ID AND [Abstract Information].ID=Locations.ID AND "
           "[Abstract Information].ID=Qualifications.ID ORDER BY Duplicates.Place, Qualifications.rowid, "
           "Specializations.rowid, Locations.rowid;";
}

void RunFindDuplicates(QWidget* parent) {
    std::vector<DuplicateRow> rows;
    {
        SqliteConnection bank;
        bank.Open(DataFolder() + kDatabaseFileName);
        if (!Refresh(parent, bank))
            return;
        const WaitCursor waiting;
        rows = FindDuplicateGroups(bank);
    }
    if (rows.empty()) {
        ShowMessage(kNoDuplicates, MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    // The window runs whatever query it is handed: replace any earlier search.
    g_resultQuery = DuplicatesQueryText(rows);
    ResultDialog results(parent, ResultColumns::WithGroups);
    RunModal(results);
}

void ShowOtherResume(QWidget* parent, std::int64_t id) {
    std::string text;
    {
        SqliteConnection bank;
        bank.Open(DataFolder() + kDatabaseFileName);
        SqliteStatement read(bank, "SELECT Details FROM Resume WHERE ID = ? ORDER BY rowid LIMIT 1");
        if (!read.Bind(1, id).Step()) {
            ShowMessage(kResumeTextGone);
            return;
        }
        text = read.ColumnText(0);
    }
    // File View shows EditedResume's text: the form's own is put back however the view ends.
    struct Restore {
        std::string kept;
        ~Restore() { EditedResume.fullText = std::move(kept); }
    } restore{std::exchange(EditedResume.fullText, std::move(text))};
    FileViewDialog view(parent);
    RunModal(view);
}

void MakeMatchKeysReady(QWidget* parent) {
    try {
        SqliteConnection bank;
        bank.Open(DataFolder() + kDatabaseFileName);
        Refresh(parent, bank);
    } catch (const EngineError& error) {
        // The keys are made again when next needed; the store says what is wrong with the bank.
        std::fprintf(stderr, "talvanor: keys for duplicates not made: %s\n", error.what());
    }
}
