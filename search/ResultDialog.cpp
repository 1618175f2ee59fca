#include "search/ResultDialog.h"

#include "entry/EditedResume.h"
#include "entry/EntryRules.h"
#include "entry/ResumeInputDialog.h"
#include "platform/CommandGuard.h"
#include "platform/ControlId.h"
#include "platform/EngineError.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "platform/Text.h"
#include "platform/WaitCursor.h"
#include "search/CMSFlexGrid.h"
#include "search/CandidateMail.h"
#include "search/FileViewDialog.h"
#include "search/OriginalViewing.h"
#include "search/ResultQuery.h"
#include "search/ResultRowFold.h"
#include "store/QueryTexts.h"
#include "store/ResumeStore.h"
#include "ui_ResultDialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLayout>
#include <QScopedValueRollback>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <new>

FillPacing g_fillPacing;

namespace {
constexpr int kGridColumns = 9;
constexpr int kGroupColumns = 2;       // the group's number and why, after the described columns
constexpr int kGroupResultColumn = 12; // after the four tables' twelve columns
constexpr const char* kGroupHeaders = "|Group|Why                    ";
constexpr int kEmailColumn = 3;
constexpr int kWidestColumn = 320;        // pixels
constexpr int kWindowFrameAllowance = 16; // pixels of the window manager's frame, before it has one
constexpr int kTitleBarAllowance = 40;    // pixels of its title bar and frame, before it has them
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

// Calls `show` with the number of resumes so far once a fill has run g_fillPacing.firstShow
// milliseconds, then every g_fillPacing.repaint milliseconds, leaving the fill time to go on.
class FillPacer {
public:
    explicit FillPacer(std::function<void(int)> show)
        : m_show(std::move(show)), m_next(g_fillPacing.firstShow) {
        m_clock.start();
    }
    void Made(int resumes) {
        const qint64 now = m_clock.elapsed();
        if (now < m_next)
            return;
        m_show(resumes);
        m_next = std::max(now + g_fillPacing.repaint, m_clock.elapsed() + g_fillPacing.repaint / 4);
    }

private:
    std::function<void(int)> m_show;
    QElapsedTimer m_clock;
    qint64 m_next;
};

// The first rows are worth a moment's wait for the window system to put a new window up.
void WaitUntilExposed(QWidget& window) {
    QElapsedTimer waited;
    waited.start();
    while (window.windowHandle() != nullptr && !window.windowHandle()->isExposed() && waited.elapsed() < 50) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(2);
    }
}

// Folds every row of the query into the grid; gives the number of resumes shown. With `groups`,
// each row ends in the group columns of its resume.
int FoldIntoGrid(SqliteStatement& query, CMSFlexGrid& grid, FillPacer& pacer, bool groups) {
    ResultRowFold fold;
    std::string buffers[8];
    std::string pendingGroup; // of the resume being folded
    auto add = [&](std::string row, std::string& group) { grid.AddItem(row + group, grid.Rows()); };
    do {
        std::string group;
        if (groups) {
            for (int column = 0; column < kGroupColumns; ++column)
                group += '\t' + std::string(query.ColumnTextView(kGroupResultColumn + column));
        }
        ResultRowFold::ShownColumns shown;
        for (std::size_t index = 0; index < shown.size(); ++index)
            shown[index] = CellText(query.ColumnTextView(kShownResultColumns[index]), buffers[index]);
        ResultRowFold::ListValues values;
        for (std::size_t index = 0; index < values.size(); ++index)
            values[index] = CellText(query.ColumnTextView(kListResultColumns[index]), buffers[5 + index]);
        if (auto row = fold.Take(query.ColumnInt(0), shown, values)) {
            add(std::move(*row), pendingGroup);
            pacer.Made(fold.ResumeCount());
        }
        pendingGroup = std::move(group);
    } while (query.Step());
    if (auto row = fold.Finish())
        add(std::move(*row), pendingGroup);
    return fold.ResumeCount();
}
} // namespace

ResultDialog::ResultDialog(QWidget* parent, ResultColumns columns)
    : QDialog(parent), m_ui(std::make_unique<Ui::ResultDialog>()), m_columns(columns) {
    m_ui->setupUi(this);
    const bool groups = m_columns == ResultColumns::WithGroups;
    Grid().SetFormatString(QString::fromLatin1(kResultGridFormat) +
                           QString::fromLatin1(groups ? kGroupHeaders : ""));
    if (groups)
        setWindowTitle(QStringLiteral("Find Duplicates"));
    ConnectActions();
    g_selectedRow = 1;
    m_filled = FillGrid();
    if (m_filled) {
        FitWindowToColumns();
        UpdateOpenOriginalCommand();
    } else
        hide(); // a long fill may have shown it
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

    auto* separator = new QAction(this);
    separator->setSeparator(true);
    m_openOriginal = new QAction(QStringLiteral("Open &Original"), this);
    m_openOriginal->setProperty(kControlIdProperty, kOpenOriginalCommand);
    m_openOriginal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_openOriginal->setShortcutContext(Qt::WindowShortcut);
    connect(m_openOriginal, &QAction::triggered, this,
            [this] { RunGuarded([this] { OpenKeptOriginal(Grid().TextMatrix(Grid().Row(), 0)); }); });
    Grid().addAction(separator);
    Grid().addAction(m_openOriginal);
    connect(&Grid(), &CMSFlexGrid::RowChanged, this, [this] {
        if (!m_filling)
            UpdateOpenOriginalCommand();
    });
}

// Greyed for a resume that was typed in or harvested: only an import keeps a file.
void ResultDialog::UpdateOpenOriginalCommand() {
    const std::string id = Grid().TextMatrix(Grid().Row(), 0);
    m_openOriginal->setEnabled(!id.empty() && HasKeptOriginal(id));
}

bool ResultDialog::FillGrid() {
    const WaitCursor waiting;
    // The user's wait starts here, with the query's first row still to come.
    FillPacer pacer([this](int resumesSoFar) { ShowFillSoFar(resumesSoFar); });
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
        const bool groups = m_columns == ResultColumns::WithGroups;
        Grid().SetCols(kGridColumns + (groups ? kGroupColumns : 0));
        Grid().SetRows(1);
        Grid().SetColWidth(0, 0);
        const QScopedValueRollback filling(m_filling, true);
        resumes = FoldIntoGrid(query, Grid(), pacer, groups);
    } catch (const EngineError&) {
        ShowMessage(kExceptionTryAgain);
        return false;
    } catch (const std::bad_alloc&) {
        ShowMessage(kExceptionTryAgain);
        return false;
    }
    m_ui->statusLine->setText(QString::number(resumes) + QString::fromLatin1(kRecordsFoundSuffix));
    Grid().Refresh();
    if (Grid().SortColumn() >= 0)
        Grid().SortAgain();
    store.Close();
    return true;
}

void ResultDialog::ShowFillSoFar(int resumes) {
    m_ui->statusLine->setText(QString::number(resumes) + QStringLiteral(" found so far\u2026"));
    Grid().Refresh();
    Grid().MeasureAddedRows(); // a little at a time, not all at the end with nothing painted
    if (!isVisible()) {
        FitWindowToColumns();
        setWindowModality(Qt::ApplicationModal);
        show();
        WaitUntilExposed(*this);
    }
    // Paints what there is; clicks and keys wait until the fill is complete.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Every column whole where the screen is wide enough; otherwise the window takes the screen's width
// and the last column what is left of it. As tall as the rows need, up to the screen's height, and
// never lower than the window was drawn.
void ResultDialog::FitWindowToColumns() {
    Grid().FitColumnsToTexts(kWidestColumn);
    const QMargins margins = layout()->contentsMargins();
    const QRect screenArea = screen()->availableGeometry();
    const int frame = isVisible() ? frameGeometry().width() - width() : kWindowFrameAllowance;
    const int titleBar = isVisible() ? frameGeometry().height() - height() : kTitleBarAllowance;
    const int sides = margins.left() + margins.right();
    const int fullWidth = Grid().FullWidth() + sides;
    const int widest = screenArea.width() - frame;
    const int besideGrid = layout()->sizeHint().height() - Grid().sizeHint().height();
    const int tallest = screenArea.height() - titleBar;
    const int rowsNeed = besideGrid + Grid().FullHeight(fullWidth > widest);
    resize(std::min(fullWidth, widest), std::max(height(), std::min(rowsNeed, tallest)));
    Grid().FitLastColumnInto(width() - sides);
    if (!isVisible())
        return; // showing it centres it
    // Shown while it filled: centred across again, its top where it was.
    const int centre = parentWidget() != nullptr ? parentWidget()->window()->frameGeometry().center().x()
                                                 : screenArea.center().x();
    QRect placed = frameGeometry();
    placed.moveLeft(centre - placed.width() / 2);
    placed.moveLeft(std::clamp(placed.left(), screenArea.left(),
                               std::max(screenArea.left(), screenArea.right() - placed.width() + 1)));
    placed.moveTop(std::clamp(placed.top(), screenArea.top(),
                              std::max(screenArea.top(), screenArea.bottom() - placed.height() + 1)));
    move(placed.topLeft());
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

void ResultDialog::closeEvent(QCloseEvent* event) {
    if (m_filling)
        event->ignore(); // the window closes once its rows are complete
    else
        QDialog::closeEvent(event);
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
    // The current resume stays current where it is still listed; otherwise the row in its place.
    const long place = Grid().Row();
    const std::string currentId = Grid().TextMatrix(place, 0);
    if (!FillGrid()) {
        reject();
        return;
    }
    Grid().Refresh();
    const long stillThere = Grid().FindRow(0, currentId);
    Grid().SetRow(stillThere > 0 ? stillThere : std::min(place, Grid().Rows() - 1));
    UpdateSendMailButton();
    UpdateOpenOriginalCommand();
}

void ResultDialog::OnSendMail() {
    SendMailToCandidate(Grid().TextMatrix(Grid().Row(), kEmailColumn));
}
