// The Back Up group's dialogs: the list of backups to restore, the folder, the check.
#include "app/BankGuard.h"
#include "app/HelpKeys.h"

#include "platform/ControlId.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "platform/Text.h"
#include "store/BankCheck.h"
#include "store/QueryTexts.h"
#include "store/Settings.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>

namespace {

QString SizeText(std::int64_t bytes) {
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 KB").arg((bytes + 1023) / 1024);
    return QStringLiteral("%1 MB").arg(static_cast<double>(bytes) / (1024.0 * 1024.0), 0, 'f', 1);
}

} // namespace

void BankGuard::OnRestoreFromBackup() {
    const std::vector<BackupEntry> backups = ListBackups(BackupFolder());
    if (backups.empty()) {
        ShowMessage("There is no backup in " + BackupFolder() + ".", MessageButtons::Ok,
                    MessageIcon::Information);
        return;
    }
    QDialog dialog(m_window);
    dialog.setWindowTitle(QStringLiteral("Restore from Backup"));
    dialog.setProperty(kHelpPageProperty, QStringLiteral("backups.html#restoring-a-backup"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Backups in %1, newest first. The bank as it is now is kept "
                                                "beside the one restored.")
                                     .arg(ToQt(BackupFolder())),
                                 &dialog));
    auto* list = new QTreeWidget(&dialog);
    SetControlId(list, kRestoreListControl);
    list->setHeaderLabels({QStringLiteral("Made"), QStringLiteral("Resumes"), QStringLiteral("Size")});
    list->setRootIsDecorated(false);
    for (const BackupEntry& backup : backups) {
        auto* row = new QTreeWidgetItem(list, {ToQt(BackupDateText(backup.made)),
                                               QString::number(backup.resumes), SizeText(backup.size)});
        row->setTextAlignment(1, Qt::AlignRight);
        row->setTextAlignment(2, Qt::AlignRight);
        row->setToolTip(0, ToQt(backup.path));
    }
    list->setCurrentItem(list->topLevelItem(0));
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    list->setMinimumSize(420, 240);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* restore = buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::AcceptRole);
    SetControlId(restore, kRestoreButtonControl);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    SetControlId(cancel, kRestoreCancelControl);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    if (RunModal(dialog) != QDialog::Accepted || list->currentItem() == nullptr)
        return;
    Restore(backups[static_cast<std::size_t>(list->indexOfTopLevelItem(list->currentItem()))], m_window);
}

void BankGuard::OnBackupFolder() {
    const std::optional<std::string> chosen =
        ChooseFolder(m_window, QStringLiteral("Backup Folder"), ToQt(BackupFolder()));
    if (!chosen)
        return;
    if (!WriteBankSetting(kBackupFolderSetting, FolderWithSlash(*chosen))) {
        ShowMessage("The backup folder could not be kept in the bank.", MessageButtons::Ok,
                    MessageIcon::Exclamation);
        return;
    }
    m_folderFailureShown = false; // a new folder deserves its own report
    m_backedUpCounter.reset();    // its first backup is due at once
    Note(QStringLiteral("Backups go to %1").arg(ToQt(BackupFolder())));
}

void BankGuard::OnCheckBank() {
    const CheckResult check =
        CheckBankWithProgress(m_dataFolder + kDatabaseFileName, CheckDepth::Full, m_window);
    if (check.Whole()) {
        ShowMessage("The bank is whole: no damage was found.", MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    std::string problems;
    for (const std::string& problem : check.problems)
        problems += (problems.empty() ? "" : "; ") + problem;
    OfferRestore("the bank is damaged: " + problems, m_window);
}
