#pragma once

#include "store/BackupFiles.h"
#include "store/BankBackup.h"
#include "store/BankLock.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "store/BankCheck.h"

class QMainWindow;
class QWidget;

// The restore list's controls.
inline constexpr int kRestoreListControl = 2110;
inline constexpr int kRestoreButtonControl = 2111;
inline constexpr int kRestoreCancelControl = 2112;

// A check that shows its progress window once it has taken longer than a second.
CheckResult CheckBankWithProgress(const std::string& path, CheckDepth depth, QWidget* parent);

// Keeps the bank safe while the program runs: the in-use lock and the mark of a run not yet
// ended, the check at start, a backup every 30 minutes while the bank changed and one at close,
// each on a thread of its own, and the commands of the Back Up group.
class BankGuard : public QObject {
    Q_OBJECT

public:
    explicit BankGuard(std::string dataFolder);
    ~BankGuard() override;

    // Before the window opens: after a run that did not end normally the bank's full check (with
    // progress), otherwise the quick one at most once a day; a damaged or missing bank offers the
    // newest good backup.
    void CheckAtStart(QWidget* parent);
    // Watches the window: backs up on a timer and when it closes.
    void Watch(QMainWindow* window);

    void OnBackUpNow();
    void OnRestoreFromBackup();
    void OnBackupFolder();
    void OnCheckBank();

    std::string BackupFolder() const;
    bool BackupRunning() const { return m_worker != nullptr; }
    // Starts the automatic backup when it is due; true when one started.
    bool BackUpWhenDue();
    // The close's backup: waits at most `wait`, then drops an unfinished one.
    void BackUpAtClose(std::chrono::milliseconds wait);

    static constexpr std::chrono::minutes kInterval{30};
    static constexpr std::chrono::seconds kCloseWait{4};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Worker;
    void StartBackup(bool asked);
    void Finished(bool asked, std::optional<BackupResult> result, std::optional<BackupError> error);
    void JoinWorker();
    std::uint32_t ChangeCounter() const;
    bool ChangedSinceBackup() const;
    void OfferRestore(const std::string& problem, QWidget* parent);
    bool Restore(const BackupEntry& backup, QWidget* parent);
    void Note(const QString& text);

    std::string m_dataFolder;
    BankSession m_session;
    QMainWindow* m_window = nullptr;
    QTimer m_timer;
    std::unique_ptr<Worker> m_worker;
    std::optional<std::uint32_t> m_backedUpCounter; // the bank's change counter at the last backup
    std::chrono::steady_clock::time_point m_lastBackup;
    bool m_folderFailureShown = false;
};
