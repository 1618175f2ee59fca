#pragma once

#include <QMainWindow>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

class CTalvanorView;
class QAction;
class QMenu;

// The main window: menu, toolbar, status bar and the view; every command starts here.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);

    // Builds the menu, toolbar and status bar. False when any of them cannot be made.
    bool OnCreate();

    CTalvanorView* View() const;
    QAction* CommandAction(int commandId) const;

    // Runs a command as if chosen from the menu, toolbar or keys. False when it is unknown
    // or disabled, and then nothing runs.
    bool TriggerCommand(int commandId);

    // Opens each file in Text Resume, as if chosen for From Text File, one after another, once no
    // command is running: files named on the command line or handed over by a later start.
    void OpenResumeFiles(const std::vector<std::string>& files);

    // Where the window goes when it is restored from maximized: well inside the screen.
    static QRect RestoredGeometry(const QRect& available);

signals:
    // Commands the application object handles: About and the document commands.
    void AppCommand(int commandId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Resume files dropped on the window are imported as if chosen for From Text File.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    virtual void OnManually();
    virtual void OnFromTextFile();
    virtual void OnDroppedFiles(const std::vector<std::string>& paths);
    virtual void OnFromWebsite();
    virtual void OnQueryForm();
    virtual void OnAllRecords();
    virtual void OnFindDuplicates();
    virtual void OnExit();
    virtual void OnChangeQualification();
    virtual void OnChangeSpecialization();
    virtual void OnChangeLocation();
    virtual void OnHelpFinder();
    virtual void OpenResultWindow();

    // From Website can never be chosen.
    void OnUpdateFromWebsite(QAction& action);

private:
    QAction* AddCommand(int commandId, const QString& caption);
    void CreateMenus();
    bool CreateToolBar();
    bool CreateStatusBar();
    void Route(int commandId);
    void UpdateCommands();
    void RunCommand(const std::function<void()>& command);
    void OpenPendingFiles();

    std::map<int, QAction*> m_commands;
    std::deque<std::string> m_pendingFiles;
    bool m_running = false; // a command (and its dialogs) is running
};
