#include "app/CTalvanorApp.h"
#include "app/BankGuard.h"

#include "app/AboutDialog.h"
#include "app/AppResources.h"
#include "app/CMainFrame.h"
#include "app/CTalvanorDoc.h"
#include "app/CTalvanorView.h"
#include "app/CommandIds.h"
#include "app/CommandLine.h"
#include "app/HelpKeys.h"
#include "platform/DataFolder.h"
#include "platform/FileChooser.h"
#include "platform/InstanceHandOff.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "platform/Text.h"

#include <QApplication>
#include <QIcon>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>

namespace {

constexpr const char* kFailedToOpen = "Failed to open document.";

} // namespace

CTalvanorApp::CTalvanorApp() = default;

CTalvanorApp::~CTalvanorApp() {
    // The window goes before the document it shows.
    m_mainFrame.reset();
}

bool CTalvanorApp::InitInstance(const QStringList& arguments, Qt::WindowStates requestedState) {
    // Hosting controls and the three-dimensional look need nothing here: Qt widgets have both.
    LoadAppResources();
    QIcon icon(kIconPath);
    for (const QString& smaller : kSmallIconPaths)
        icon.addFile(smaller);
    QApplication::setWindowIcon(icon);
    m_document = std::make_unique<CTalvanorDoc>();
    // F1 opens the guide at the section of the window it is pressed in.
    m_helpKeys = std::make_unique<HelpKeyFilter>();
    QApplication::instance()->installEventFilter(m_helpKeys.get());
    if (!ProcessShellCommand(arguments))
        return false;
    TakeHandedOverFiles();
    m_mainFrame->setWindowState(requestedState);
    // Fill the screen even where no window manager carries out the maximizing; restoring then
    // gives a window inside the screen (CMainFrame::changeEvent).
    const QScreen* screen = m_mainFrame->screen();
    if (screen != nullptr)
        m_mainFrame->setGeometry(screen->availableGeometry());
    m_mainFrame->showMaximized();
    // Qt's -geometry option sizes the first window as it is shown: then the window is what was
    // asked for, a normal one, never a small window marked maximized.
    if (screen != nullptr && m_mainFrame->width() < screen->availableGeometry().width() * 9 / 10) {
        const QRect given = m_mainFrame->geometry();
        m_mainFrame->setWindowState(Qt::WindowNoState);
        m_mainFrame->setGeometry(given);
    }
    m_mainFrame->update();
    return true;
}

bool CTalvanorApp::ProcessShellCommand(const QStringList& arguments) {
    if (!CreateMainFrame())
        return false;
    OnFileNew();
    // The documents Talvanor is given are resumes: they go to Text Resume once the window shows,
    // never into the empty document, which holds nothing.
    const std::vector<std::string> files = FileArguments(arguments);
    if (!files.empty())
        m_mainFrame->OpenResumeFiles(files);
    return true;
}

void CTalvanorApp::TakeHandedOverFiles() {
    m_handOff = std::make_unique<HandOffServer>();
    // Where another Talvanor on this data folder already listens, this one starts as it would alone.
    if (!m_handOff->Listen(HandOffName(DataFolder()))) {
        m_handOff.reset();
        return;
    }
    connect(m_handOff.get(), &HandOffServer::FilesHandedOver, this,
            [this](const std::vector<std::string>& files) {
                m_mainFrame->OpenResumeFiles(files);
                // Brought forward where the window manager allows: the window at work, or the main one.
                m_mainFrame->setWindowState(m_mainFrame->windowState() & ~Qt::WindowMinimized);
                QWidget* front = QApplication::activeModalWidget() != nullptr
                                     ? QApplication::activeModalWidget()
                                     : m_mainFrame.get();
                front->raise();
                front->activateWindow();
            });
}

bool CTalvanorApp::CreateMainFrame() {
    auto frame = std::make_unique<CMainFrame>();
    if (!frame->OnCreate())
        return false;
    frame->setCentralWidget(new CTalvanorView(frame.get()));
    connect(frame.get(), &CMainFrame::AppCommand, this, &CTalvanorApp::OnAppCommand);
    m_mainFrame = std::move(frame);
    return true;
}

bool CTalvanorApp::OpenDocumentFile(const QString& path) {
    if (m_document->OnOpenDocument(FromQt(path)))
        return true;
    ShowMessage(kFailedToOpen, MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
}

void CTalvanorApp::OnAppCommand(int commandId) {
    switch (commandId) {
    case kCommandAbout:
        OnAppAbout();
        break;
    case kCommandFileNew:
        OnFileNew();
        break;
    case kCommandFileOpen:
        OnFileOpen();
        break;
    case kCommandFileSave:
        OnFileSave();
        break;
    case kCommandPrintSetup:
        OnFilePrintSetup();
        break;
    case kCommandBackUpNow:
    case kCommandRestoreBackup:
    case kCommandBackupFolder:
    case kCommandCheckBank:
        if (m_bankGuard != nullptr)
            RunBankCommand(commandId);
        break;
    default:
        break;
    }
}

void CTalvanorApp::RunBankCommand(int commandId) {
    if (commandId == kCommandBackUpNow)
        m_bankGuard->OnBackUpNow();
    else if (commandId == kCommandRestoreBackup)
        m_bankGuard->OnRestoreFromBackup();
    else if (commandId == kCommandBackupFolder)
        m_bankGuard->OnBackupFolder();
    else
        m_bankGuard->OnCheckBank();
}

void CTalvanorApp::OnAppAbout() {
    AboutDialog about(m_mainFrame.get());
    RunModal(about);
}

void CTalvanorApp::OnFileNew() {
    // The document never changes, so there is nothing to ask before replacing it.
    m_document->OnNewDocument();
}

void CTalvanorApp::OnFileOpen() {
    const auto path = ChooseOpenFile(m_mainFrame.get(), QStringLiteral("All Files (*)"));
    if (path)
        OpenDocumentFile(ToQt(*path));
}

void CTalvanorApp::OnFileSave() {
    m_document->OnSaveDocument();
}

void CTalvanorApp::OnFilePrintSetup() {
    QPrinter printer;
    QPageSetupDialog setup(&printer, m_mainFrame.get());
    RunModal(setup);
}
