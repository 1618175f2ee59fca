#include "app/BankGuard.h"

#include "platform/MessageBox.h"
#include "platform/ProgressBox.h"
#include "platform/Text.h"
#include "store/BankCheck.h"
#include "store/BankRestore.h"
#include "store/QueryTexts.h"
#include "store/Settings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <sys/stat.h>

namespace {

constexpr auto kTimerTick = std::chrono::minutes(1);
constexpr std::int64_t kQuickCheckEvery = 24 * 60 * 60;
constexpr auto kProgressAfter = std::chrono::seconds(1);

std::string CheckedMarkPath(const std::string& dataFolder) {
    return dataFolder + ".bank-checked";
}

std::int64_t ModifiedAt(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<std::int64_t>(info.st_mtime) : -1;
}

std::string BackupWords(const BackupEntry& backup) {
    return "made " + BackupDateText(backup.made) + " with " + std::to_string(backup.resumes) + " resumes";
}

} // namespace

CheckResult CheckBankWithProgress(const std::string& path, CheckDepth depth, QWidget* parent) {
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<ProgressBox> progress;
    return CheckBankFile(path, depth, [&] {
        if (!progress && std::chrono::steady_clock::now() - start > kProgressAfter)
            progress =
                std::make_unique<ProgressBox>(parent, QStringLiteral("Checking the bank for damage..."));
        return !progress || progress->Report(1, 1);
    });
}

struct BankGuard::Worker {
    std::thread thread;
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    bool asked = false;
    std::uint32_t counterAtStart = 0;
    std::optional<BackupResult> result;
    std::optional<BackupError> error;
};

BankGuard::BankGuard(std::string dataFolder)
    : m_dataFolder(std::move(dataFolder)), m_session(m_dataFolder),
      m_lastBackup(std::chrono::steady_clock::now()) {
    m_timer.setInterval(kTimerTick);
    connect(&m_timer, &QTimer::timeout, this, [this] { BackUpWhenDue(); });
}

BankGuard::~BankGuard() {
    if (m_worker)
        m_worker->stop = true;
    JoinWorker();
    m_session.End();
}

std::string BankGuard::BackupFolder() const {
    if (const std::optional<std::string> chosen = ReadBankSetting(kBackupFolderSetting);
        chosen && !chosen->empty())
        return FolderWithSlash(*chosen);
    return DefaultBackupFolder(m_dataFolder);
}

std::uint32_t BankGuard::ChangeCounter() const {
    // The engine counts every commit in the file's header (bytes 24 to 27, big-endian).
    std::ifstream bank(m_dataFolder + kDatabaseFileName, std::ios::binary);
    unsigned char bytes[4] = {};
    bank.seekg(24);
    bank.read(reinterpret_cast<char*>(bytes), 4);
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

bool BankGuard::ChangedSinceBackup() const {
    return !m_backedUpCounter || *m_backedUpCounter != ChangeCounter();
}

void BankGuard::CheckAtStart(QWidget* parent) {
    const bool unclean = m_session.Begin();
    const std::string bank = m_dataFolder + kDatabaseFileName;
    const std::vector<BackupEntry> backups = ListBackups(BackupFolder());
    // Unchanged since the newest backup: nothing to back up until it changes.
    if (!backups.empty() && backups.front().made >= ModifiedAt(bank))
        m_backedUpCounter = ChangeCounter();
    if (ModifiedAt(bank) < 0) {
        if (!backups.empty())
            OfferRestore("the bank " + bank + " is missing", parent);
        return;
    }
    const std::int64_t lastCheck = ModifiedAt(CheckedMarkPath(m_dataFolder));
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    if (!unclean && lastCheck >= 0 && lastCheck <= now && now - lastCheck < kQuickCheckEvery)
        return;
    const CheckResult check =
        CheckBankWithProgress(bank, unclean ? CheckDepth::Full : CheckDepth::Quick, parent);
    if (check.stopped)
        return;
    std::ofstream(CheckedMarkPath(m_dataFolder)).flush(); // its time is the check's
    if (!check.problems.empty())
        OfferRestore("the bank is damaged: " + check.problems.front(), parent);
}

void BankGuard::OfferRestore(const std::string& problem, QWidget* parent) {
    const std::optional<BackupEntry> newest = NewestGoodBackup(BackupFolder());
    if (!newest) {
        ShowMessage("Talvanor found that " + problem + ".\n\nThere is no good backup to restore.",
                    MessageButtons::Ok, MessageIcon::Critical);
        return;
    }
    const MessageAnswer answer = ShowMessage(
        "Talvanor found that " + problem + ".\n\nRestore the newest good backup, " + BackupWords(*newest) +
            "?\n\nThe bank as it is now is kept beside it. No goes on with the bank as it is.",
        MessageButtons::YesNo, MessageIcon::Critical);
    if (answer == MessageAnswer::Yes)
        Restore(*newest, parent);
}

bool BankGuard::Restore(const BackupEntry& backup, QWidget* parent) {
    if (m_worker)
        m_worker->stop = true;
    JoinWorker();
    if (!m_session.TakeAlone()) {
        ShowMessage("Another Talvanor has the bank open. Close it, then restore.", MessageButtons::Ok,
                    MessageIcon::Exclamation);
        return false;
    }
    std::unique_ptr<ProgressBox> progress;
    try {
        const RestoreResult result =
            RestoreBackup(backup, m_dataFolder, true, [&](std::int64_t done, std::int64_t total) {
                if (!progress)
                    progress = std::make_unique<ProgressBox>(
                        parent, QStringLiteral("Adding the keyword index: %1 of %2"));
                return progress->Report(done, total);
            });
        progress.reset();
        m_session.ShareAgain();
        m_backedUpCounter = ChangeCounter();
        ShowMessage("Restored the backup " + BackupWords(backup) + "." +
                        (result.movedAside.empty()
                             ? std::string()
                             : "\n\nThe bank it replaced is kept as " + result.movedAside + "."),
                    MessageButtons::Ok, MessageIcon::Information);
        return true;
    } catch (const RestoreError& error) {
        progress.reset();
        m_session.ShareAgain();
        ShowMessage(std::string("The backup was not restored: ") + error.what() + ".", MessageButtons::Ok,
                    MessageIcon::Critical);
        return false;
    }
}

void BankGuard::Watch(QMainWindow* window) {
    m_window = window;
    window->installEventFilter(this);
    m_timer.start();
}

bool BankGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::Close)
        BackUpAtClose(kCloseWait);
    return QObject::eventFilter(watched, event);
}

void BankGuard::Note(const QString& text) {
    if (m_window == nullptr)
        return;
    m_window->statusBar()->showMessage(text);
    m_window->statusBar()->repaint();
}

bool BankGuard::BackUpWhenDue() {
    if (m_worker || !ChangedSinceBackup() || std::chrono::steady_clock::now() - m_lastBackup < kInterval)
        return false;
    StartBackup(false);
    return true;
}

void BankGuard::OnBackUpNow() {
    if (m_worker) {
        ShowMessage("A backup is being made. Try again when it is done.", MessageButtons::Ok,
                    MessageIcon::Information);
        return;
    }
    StartBackup(true);
}

void BankGuard::StartBackup(bool asked) {
    m_worker = std::make_unique<Worker>();
    m_worker->asked = asked;
    m_worker->counterAtStart = ChangeCounter();
    m_lastBackup = std::chrono::steady_clock::now();
    Note(QStringLiteral("Backing up the bank..."));
    Worker* worker = m_worker.get();
    const std::string folder = BackupFolder();
    worker->thread = std::thread([this, worker, folder, dataFolder = m_dataFolder] {
        BackupOptions options;
        options.stop = [worker] { return worker->stop.load(); };
        std::optional<BackupResult> result;
        std::optional<BackupError> error;
        try {
            result = MakeBackup(dataFolder, folder, options);
        } catch (const BackupError& failure) {
            error = failure;
        }
        {
            std::lock_guard lock(worker->mutex);
            worker->result = std::move(result);
            worker->error = std::move(error);
            worker->done = true;
        }
        worker->ended.notify_all();
        QMetaObject::invokeMethod(
            this,
            [this, worker] {
                if (m_worker.get() == worker) // not already taken in by the close
                    JoinWorker();
            },
            Qt::QueuedConnection);
    });
}

void BankGuard::JoinWorker() {
    if (!m_worker)
        return;
    m_worker->thread.join();
    std::unique_ptr<Worker> worker = std::move(m_worker);
    if (!worker->error && worker->result)
        m_backedUpCounter = worker->counterAtStart;
    Finished(worker->asked, std::move(worker->result), std::move(worker->error));
}

void BankGuard::BackUpAtClose(std::chrono::milliseconds wait) {
    if (!m_worker && !ChangedSinceBackup())
        return;
    if (!m_worker)
        StartBackup(false);
    Note(QStringLiteral("Backing up the bank before closing..."));
    {
        std::unique_lock lock(m_worker->mutex);
        if (!m_worker->ended.wait_for(lock, wait, [this] { return m_worker->done; }))
            m_worker->stop = true; // dropped, never kept half-made
    }
    JoinWorker();
}

void BankGuard::Finished(bool asked, std::optional<BackupResult> result, std::optional<BackupError> error) {
    if (result) {
        Note(QStringLiteral("Backed up the bank: %1 resumes").arg(result->backup.resumes));
        if (asked)
            ShowMessage("The bank is backed up in " + result->backup.path + " (" +
                            std::to_string(result->backup.resumes) + " resumes).",
                        MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    if (!error || error->Problem() == BackupProblem::Stopped) {
        Note(QString());
        return;
    }
    Note(QStringLiteral("The bank was not backed up"));
    // An automatic backup that fails for the folder says so once a session; the next ones try
    // again silently. The older backups are untouched either way.
    if (!asked && error->Problem() == BackupProblem::Folder && std::exchange(m_folderFailureShown, true))
        return;
    if (!asked && error->Problem() == BackupProblem::Busy)
        return; // tried again at the next tick
    ShowMessage(std::string("Talvanor could not back up the bank: ") + error->what() +
                    ".\n\nThe older backups are kept. AddResume > Backup Folder... chooses another folder.",
                MessageButtons::Ok, MessageIcon::Exclamation);
}
