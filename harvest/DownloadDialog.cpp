#include "harvest/DownloadDialog.h"

#include "harvest/DownloadWorker.h"
#include "harvest/HarvestStop.h"
#include "harvest/PageImport.h"
#include "platform/AnimationControl.h"
#include "platform/DataFolder.h"
#include "platform/EngineError.h"
#include "platform/MessageBox.h"
#include "ui_DownloadDialog.h"

DownloadDialog::DownloadDialog(QWidget* parent, HarvestTimeouts timeouts)
    : QDialog(parent), m_ui(std::make_unique<Ui::DownloadDialog>()), m_timeouts(timeouts) {
    m_ui->setupUi(this);
    m_animation = m_ui->animation;
    m_animationOpen = m_animation->Open(DataFolder() + kClipFileName) ? 1 : 0;
    connect(m_ui->startButton, &QPushButton::clicked, this, &DownloadDialog::OnStart);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &DownloadDialog::reject);
    m_ui->startButton->setDefault(true);
    m_ui->startButton->setFocus();
}

DownloadDialog::~DownloadDialog() {
    // Never leave a worker fetching with nobody to stop it.
    if (m_worker) {
        HarvestStopFlag = 1;
        m_worker.reset();
        HarvestStopFlag = 0;
    }
}

void DownloadDialog::OnStart() {
    if (m_notStarted == 0)
        return;
    m_notStarted = 0;
    m_ui->startButton->setEnabled(false);
    m_ui->cancelButton->setDefault(true);
    m_ui->cancelButton->setFocus();
    if (m_animationOpen)
        m_animation->Play();
    m_worker = std::make_unique<DownloadWorker>(m_timeouts, [this] {
        // From the worker's thread: the import runs on the UI thread once the worker is done.
        QMetaObject::invokeMethod(this, &DownloadDialog::OnHarvestDone, Qt::QueuedConnection);
    });
    m_worker->Start();
}

void DownloadDialog::reject() {
    if (m_notStarted || m_importAbandoned) {
        QDialog::reject();
        return;
    }
    HarvestStopFlag = 1;
    m_ui->cancelButton->setEnabled(false);
}

void DownloadDialog::OnHarvestDone() {
    m_worker.reset(); // its last act was to post this: the thread ends at once
    if (m_animationOpen) {
        m_animation->Stop();
        m_animation->Close();
    }
    try {
        const HarvestPickLists lists = LoadHarvestPickLists();
        m_qualificationList = lists.qualifications;
        m_specializationList = lists.specializations;
        m_locationList = lists.locations;
        ImportDownloadedPages(lists);
    } catch (const EngineError& error) {
        AbandonImport(error.what());
        return;
    } catch (const PageReadError& error) {
        AbandonImport(error.what());
        return;
    }
    accept();
}

// The pages not taken stay in the working folder for the next harvest; Cancel closes the dialog.
void DownloadDialog::AbandonImport(const std::string& reason) {
    ShowMessage(reason +
                    "\n\nThe import stopped here. The pages not yet imported are kept for the next harvest.",
                MessageButtons::Ok, MessageIcon::Critical);
    HarvestStopFlag = 0;
    m_importAbandoned = true;
    m_ui->cancelButton->setEnabled(true);
    m_ui->cancelButton->setFocus();
}
