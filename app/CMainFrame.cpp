#include "app/CMainFrame.h"

#include "app/CTalvanorView.h"
#include "app/CommandIds.h"
#include "app/HelpFile.h"
#include "entry/EntryCommands.h"
#include "harvest/DownloadDialog.h"
#include "platform/CommandGuard.h"
#include "platform/DataFolder.h"
#include "platform/DroppedFile.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "search/FindDuplicates.h"
#include "search/ResultQuery.h"
#include "search/SearchCommands.h"
#include "store/QueryTexts.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindowStateChangeEvent>

namespace {
constexpr int kModalRecheckMs = 250;
} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {}

bool CMainFrame::OnCreate() {
    // Fixed before anything else can ask for it.
    (void)DataFolder();
    CreateMenus();
    if (!CreateToolBar() || !CreateStatusBar())
        return false;
    setDockNestingEnabled(true);
    setAcceptDrops(true);
    UpdateCommands();
    return true;
}

CTalvanorView* CMainFrame::View() const {
    return qobject_cast<CTalvanorView*>(centralWidget());
}

QAction* CMainFrame::CommandAction(int commandId) const {
    const auto found = m_commands.find(commandId);
    return found == m_commands.end() ? nullptr : found->second;
}

bool CMainFrame::TriggerCommand(int commandId) {
    QAction* action = CommandAction(commandId);
    if (action == nullptr || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

void CMainFrame::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    // Whatever title was composed for the document, the window reads as the program.
    if (windowTitle() != QLatin1String(kApplicationTitle))
        setWindowTitle(QLatin1String(kApplicationTitle));
}

QRect CMainFrame::RestoredGeometry(const QRect& available) {
    QRect restored(QPoint(), available.size() * 3 / 4);
    restored.moveCenter(available.center());
    return restored;
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if (!(change->oldState() & Qt::WindowMaximized))
        return;
    // The window was sized to the whole screen to fill it where no window manager maximizes,
    // so restored as it was its title bar would lie off the screen. Looked at once the restored
    // geometry has arrived.
    QTimer::singleShot(0, this, [this] {
        if ((windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) ||
            screen() == nullptr)
            return;
        const QRect available = screen()->availableGeometry();
        if (!available.contains(frameGeometry()) || height() > available.height() * 9 / 10)
            setGeometry(RestoredGeometry(available));
    });
}

QAction* CMainFrame::AddCommand(int commandId, const QString& caption) {
    auto* action = new QAction(caption, this);
    action->setData(commandId);
    connect(action, &QAction::triggered, this, [this, commandId] { Route(commandId); });
    m_commands[commandId] = action;
    return action;
}

void CMainFrame::Route(int commandId) {
    using Handler = void (CMainFrame::*)();
    static const std::map<int, Handler> handlers = {
        {kCommandManually, &CMainFrame::OnManually},
        {kCommandFromTextFile, &CMainFrame::OnFromTextFile},
        {kCommandFromWebsite, &CMainFrame::OnFromWebsite},
        {kCommandQueryForm, &CMainFrame::OnQueryForm},
        {kCommandAllRecords, &CMainFrame::OnAllRecords},
        {kCommandFindDuplicates, &CMainFrame::OnFindDuplicates},
        {kCommandExit, &CMainFrame::OnExit},
        {kCommandChangeQualification, &CMainFrame::OnChangeQualification},
        {kCommandChangeSpecialization, &CMainFrame::OnChangeSpecialization},
        {kCommandChangeLocation, &CMainFrame::OnChangeLocation},
        {kCommandHelpTopics, &CMainFrame::OnHelpFinder},
    };
    RunCommand([&] {
        if (const auto handler = handlers.find(commandId); handler != handlers.end())
            (this->*handler->second)();
        else if (commandId == kCommandPrint && View())
            View()->OnFilePrint();
        else if (commandId == kCommandPrintDirect && View())
            View()->OnFilePrintDirect();
        else if (commandId == kCommandPrintPreview && View())
            View()->OnFilePrintPreview();
        else
            emit AppCommand(commandId);
    });
}

void CMainFrame::RunCommand(const std::function<void()>& command) {
    const bool nested = std::exchange(m_running, true);
    RunGuarded(command);
    m_running = nested;
    UpdateCommands();
    // Files handed over meanwhile waited for the command to end.
    if (!m_running && !m_pendingFiles.empty())
        QTimer::singleShot(0, this, &CMainFrame::OpenPendingFiles);
}

void CMainFrame::OpenResumeFiles(const std::vector<std::string>& files) {
    m_pendingFiles.insert(m_pendingFiles.end(), files.begin(), files.end());
    QTimer::singleShot(0, this, &CMainFrame::OpenPendingFiles);
}

void CMainFrame::OpenPendingFiles() {
    if (m_running || m_pendingFiles.empty())
        return; // the end of the command looks again
    // A dialog shown outside any command (a message, a progress box) ends without telling.
    if (QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(kModalRecheckMs, this, &CMainFrame::OpenPendingFiles);
        return;
    }
    // All that came meanwhile go as one queue, as files dropped together do.
    const std::vector<std::string> files(m_pendingFiles.begin(), m_pendingFiles.end());
    m_pendingFiles.clear();
    RunCommand([&] { OnDroppedFiles(files); });
}

void CMainFrame::UpdateCommands() {
    if (QAction* fromWebsite = CommandAction(kCommandFromWebsite))
        OnUpdateFromWebsite(*fromWebsite);
}

void CMainFrame::OnUpdateFromWebsite(QAction& action) {
    action.setEnabled(false);
}

void CMainFrame::OnManually() {
    RunManualEntry(this);
}

void CMainFrame::OnFromTextFile() {
    RunTextFileImport(this);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths = DroppedFiles(event->mimeData());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    // After the drop has finished: the program the file came from waits until it has.
    QTimer::singleShot(0, this,
                       [this, files = std::move(paths)] { RunCommand([&] { OnDroppedFiles(files); }); });
}

void CMainFrame::OnDroppedFiles(const std::vector<std::string>& paths) {
    RunDroppedFileImport(this, paths);
}

void CMainFrame::OnFromWebsite() {
    DownloadDialog downloading(this);
    RunModal(downloading);
}

void CMainFrame::OnQueryForm() {
    RunQueryForm(this);
}

void CMainFrame::OnAllRecords() {
    // The result window runs whatever query it is handed: replace any earlier search.
    g_resultQuery = kAllRecordsQuery;
    OpenResultWindow();
}

void CMainFrame::OnFindDuplicates() {
    RunFindDuplicates(this);
}

void CMainFrame::OpenResultWindow() {
    RunResultWindow(this);
}

void CMainFrame::OnExit() {
    close();
}

void CMainFrame::OnChangeQualification() {
    RunPickListEditor(this, PickListKind::Qualifications);
}

void CMainFrame::OnChangeSpecialization() {
    RunPickListEditor(this, PickListKind::Specializations);
}

void CMainFrame::OnChangeLocation() {
    RunPickListEditor(this, PickListKind::Locations);
}

void CMainFrame::OnHelpFinder() {
    LaunchHelp();
}
