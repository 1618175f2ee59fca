#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

// Long work on the UI thread shows this window: how far it has come, and a Cancel button. Each
// report lets the windows paint and take the Cancel click; nothing else can be clicked meanwhile.
class ProgressBox {
public:
    // `text` holds %1 and %2 for the amount done and the whole.
    ProgressBox(QWidget* parent, QString text);
    ~ProgressBox();
    ProgressBox(const ProgressBox&) = delete;
    ProgressBox& operator=(const ProgressBox&) = delete;

    // False once the user has cancelled. With all of `total` done the bar shows the work busy
    // finishing.
    bool Report(std::int64_t done, std::int64_t total);

private:
    QString m_text;
    std::unique_ptr<QProgressDialog> m_dialog;
};

// Tests see the window at every report, and may cancel it. Returns the observer it replaced.
using ProgressObserver = std::function<void(QProgressDialog&)>;
ProgressObserver SetProgressObserver(ProgressObserver observer);
