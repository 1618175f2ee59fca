#pragma once

#include "harvest/PageRequest.h"

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class DownloadDialog;
}
class AnimationControl;
class DownloadWorker;

// "Downloading": Start runs the worker, which fetches resume pages into the working folder while
// the clock plays; when it stops, the saved pages are imported and the dialog closes. Before
// Start, Cancel closes it; during the run, Cancel asks the worker to stop after its page.
class DownloadDialog final : public QDialog {
    Q_OBJECT

public:
    explicit DownloadDialog(QWidget* parent, HarvestTimeouts timeouts = {});
    ~DownloadDialog() override;

    void OnStart();
    // The worker has stopped: import what it saved, then close.
    void OnHarvestDone();
    // Cancel, Escape and the close box.
    void reject() override;

    AnimationControl* m_animation;
    int m_notStarted = 1;
    int m_animationOpen = 0;
    std::string m_qualificationList;
    std::string m_specializationList;
    std::string m_locationList;

private:
    void AbandonImport(const std::string& reason);

    std::unique_ptr<Ui::DownloadDialog> m_ui;
    HarvestTimeouts m_timeouts;
    std::unique_ptr<DownloadWorker> m_worker;
    bool m_importAbandoned = false;
};
