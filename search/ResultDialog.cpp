#include "search/ResultDialog.h"

#include "entry/EditedResume.h"
#include "entry/EntryRules.h"
#include "entry/ResumeInputDialog.h"
#include "platform/CommandGuard.h"
#include "platform/EngineError.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "platform/Text.h"
#include "platform/WaitCursor.h"
#include "search/CMSFlexGrid.h"
#include "search/CandidateMail.h"
#include "search/FileViewDialog.h"
#include "search/ResultQuery.h"
#include "search/ResultRowFold.h"
#include "store/QueryTexts.h"
#include "store/ResumeStore.h"
#include "ui_ResultDialog.h"

#include <algorithm>
#include <new>

namespace {
constexpr int kGridColumns = 9;
constexpr int kEmailColumn = 3;
constexpr int kWidestColumn = 320; // pixels
// Result columns of the four-table join: ID, the five shown texts, then ID and value per list.
constexpr int kShownResultColumns[] = {1, 2, 3, 4, 5};
constexpr int kListResultColumns[] = {7, 9, 11};

// A cell cannot hold a tab: the grid cuts its rows at tabs.
std::string_view CellText(std::string_view text, std::string& buffer) {
    if (text.find('\t') == std::string_view::npos)
        return text;
    buffer.assign(text);
    std::replace(buffer.begin(), buffer.end(), '\t', ' ');
    return buffer;
}

// Folds every row of the query into the grid; gives the number of resumes shown.
int FoldIntoGrid(SqliteStatement& query, CMSFlexGrid& grid) {
    ResultRowFold fold;
    std::string buffers[8];
    do {
        ResultRowFold::ShownColumns shown;
        for (std::size_t index = 0; index < shown.size(); ++index)
            shown[index] = CellText(query.ColumnTextView(kShownResultColumns[index]), buffers[index]);
        ResultRowFold::ListValues values;
        for (std::size_t index = 0; index < values.size(); ++index)
            values[index] = CellText(query.ColumnTextView(kListResultColumns[index]), buffers[5 + index]);
        if (auto row = fold.Take(query.ColumnInt(0), shown, values))
            grid.AddItem(*row, grid.Rows());
    } while (query.Step());
    if (auto row = fold.Finish())
        grid.AddItem(*row, grid.Rows());
    return fold.ResumeCount();
}
} // namespace

ResultDialog::ResultDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::ResultDialog>()) {
    m_ui->setupUi(this);
    Grid().SetFormatString(QString::fromLatin1(kResultGridFormat));
    ConnectActions();
    g_selectedRow = 1;
    m_filled = FillGrid();
    if (m_filled)
        Grid().WidenColumnsToContents(kWidestColumn);
}

ResultDialog::~ResultDialog() = default;

int ResultDialog::exec() {
    return m_filled ? QDialog::exec() : QDialog::Rejected;
}

CMSFlexGrid& ResultDialog::Grid() const {
    return *m_ui->grid;
}

void ResultDialog::ConnectActions() {
    connect(&Grid(), &CMSFlexGrid::Click, this, &ResultDialog::UpdateSendMailButton);
    connect(&Grid(), &CMSFlexGrid::RowChanged, this, &ResultDialog::UpdateSendMailButton);
    connect(&Grid(), &CMSFlexGrid::DblClick, this, [this] { RunGuarded([this] { OnDetails(); }); });
    connect(m_ui->detailsButton, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { OnDetails(); }); });
    connect(m_ui->editButton, &QPushButton::clicked, this, [this] { RunGuarded([this] { OnEdit(); }); });
    connect(m_ui->deleteButton, &QPushButton::clicked, this, [this] { RunGuarded([this] { OnDelete(); }); });
    connect(m_ui->sendMailButton, &QPushButton::clicked, this, &ResultDialog::OnSendMail);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool ResultDialog::FillGrid() {
    const WaitCursor waiting;
    ResumeStore store;
    try {
        if (store.Open() != 1)
            return false;
    } catch (const EngineError& error) {
        // The bank itself is missing or unreadable: its own reason says more than a retry hint.
        ShowMessage(error.what(), MessageButtons::Ok, MessageIcon::Critical);
        return false;
    }
    int resumes = 0;
    try {
        SqliteStatement query = store.OpenSnapshot(g_resultQuery);
        if (!query.Step()) {
            ShowMessage(kNoRecordFoundToShow);
            return false;
        }
        Grid().SetCols(kGridColumns);
        Grid().SetRows(1);
        Grid().SetColWidth(0, 0);
        resumes = FoldIntoGrid(query, Grid());
    } catch (const EngineError&) {
        ShowMessage(kExceptionTryAgain);
        return false;
    } catch (const std::bad_alloc&) {
        ShowMessage(kExceptionTryAgain);
        return false;
    }
    m_ui->statusLine->setText(QString::number(resumes) + QString::fromLatin1(kRecordsFoundSuffix));
    Grid().Refresh();
    store.Close();
    return true;
}

bool ResultDialog::ReadResumeText() {
    EditedResume.fullText.clear();
    ResumeStore store;
    if (store.Open() != 1)
        return false;
    SqliteStatement details = store.OpenSnapshot(g_detailsQuery);
    if (!details.Step()) {
        // Deleted meanwhile, from another window: show nothing stale.
        ShowMessage(kResumeTextGone);
        return false;
    }
    EditedResume.fullText = details.ColumnText(1);
    return true;
}

bool ResultDialog::SelectCurrentRow() {
    g_selectedRow = Grid().Row();
    EditedResume.id = Grid().TextMatrix(g_selectedRow, 0);
    if (EditedResume.id.empty())
        return false; // no resume in that row
    g_detailsQuery = kResumeDetailsQueryPrefix + EditedResume.id;
    return ReadResumeText();
}

void ResultDialog::UpdateSendMailButton() {
    g_selectedRow = Grid().Row();
    const std::string address = TrimmedBytes(Grid().TextMatrix(g_selectedRow, kEmailColumn));
    m_ui->sendMailButton->setEnabled(!address.empty());
}

void ResultDialog::paintEvent(QPaintEvent* event) {
    UpdateSendMailButton();
    QDialog::paintEvent(event);
}

void ResultDialog::OnDetails() {
    if (!SelectCurrentRow())
        return;
    FileViewDialog view(this);
    RunModal(view);
}

void ResultDialog::OnEdit() {
    if (!SelectCurrentRow() || !ReadStoredLists())
        return;
    std::string* const handedOver[] = {&EditedResume.name, &EditedResume.experience, &EditedResume.email,
                                       &EditedResume.organization, &EditedResume.status};
    for (int column = 1; column <= 5; ++column)
        *handedOver[column - 1] = Grid().TextMatrix(g_selectedRow, column);
    EditedResume.editing = true;
    {
        ResumeInputDialog form(this);
        RunModal(form);
    }
    EditedResume.editing = false;
    if (EditedResume.changed) {
        EditedResume.changed = false;
        RefillOrClose();
    }
}

// A search shows only the list values it matched; the form gets every stored one, so an
// unchanged Ok keeps them all.
bool ResultDialog::ReadStoredLists() {
    ResumeStore store;
    if (store.Open() != 1)
        return false;
    return store.LoadValueLists(EditedResume.id, EditedResume.qualifications, EditedResume.specializations,
                                EditedResume.locations) == 1;
}

void ResultDialog::OnDelete() {
    EditedResume.id = Grid().TextMatrix(g_selectedRow, 0);
    if (EditedResume.id.empty())
        return;
    if (ShowMessage(kDeleteRecordQuestion, MessageButtons::YesNo, MessageIcon::Question) !=
        MessageAnswer::Yes)
        return;
    if (DeleteFromStore(EditedResume.id))
        RefillOrClose();
    else
        reject();
}

// Whether resumes are left to show; a bank that could not be opened counts as having them.
bool ResultDialog::DeleteFromStore(const std::string& idText) {
    ResumeStore store;
    bool opened = false;
    try {
        opened = store.Open() == 1;
    } catch (const EngineError&) {
    }
    if (!opened) {
        ShowMessage(kUnableToOpenDatabase);
        return true;
    }
    const bool recordsLeft = store.DeleteResume(idText) == 1;
    if (store.Close() != 1)
        ShowMessage(kUnableToCloseDatabase);
    return recordsLeft;
}

void ResultDialog::RefillOrClose() {
    if (!FillGrid()) {
        reject();
        return;
    }
    Grid().Refresh();
    UpdateSendMailButton();
}

void ResultDialog::OnSendMail() {
    SendMailToCandidate(Grid().TextMatrix(Grid().Row(), kEmailColumn));
}
