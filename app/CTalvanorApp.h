#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class BankGuard;
class CMainFrame;
class CTalvanorDoc;
class HandOffServer;
class HelpKeyFilter;

// The application: builds the one document, its main window and view, and handles About and
// the document commands. Holds no data of its own.
class CTalvanorApp : public QObject {
    Q_OBJECT

public:
    CTalvanorApp();
    ~CTalvanorApp() override;

    // Carries out the command line (a new document; each file named is opened in Text Resume),
    // shows the main window maximized whatever state was asked for, and takes the files later
    // starts hand over. False ends the program.
    bool InitInstance(const QStringList& arguments, Qt::WindowStates requestedState = Qt::WindowNoState);

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    CTalvanorDoc* Document() const { return m_document.get(); }
    // The backups' commands go to it; without one they do nothing.
    void SetBankGuard(BankGuard* guard) { m_bankGuard = guard; }

    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFilePrintSetup();

private:
    bool ProcessShellCommand(const QStringList& arguments);
    bool CreateMainFrame();
    void TakeHandedOverFiles();
    bool OpenDocumentFile(const QString& path);
    void OnAppCommand(int commandId);
    void RunBankCommand(int commandId);

    std::unique_ptr<CTalvanorDoc> m_document;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<HelpKeyFilter> m_helpKeys;
    std::unique_ptr<HandOffServer> m_handOff;
    BankGuard* m_bankGuard = nullptr;
};
