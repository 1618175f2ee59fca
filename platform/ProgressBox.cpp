#include "platform/ProgressBox.h"

#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProgressDialog>
#include <utility>

namespace {
ProgressObserver g_observer;
// Work that ends sooner shows no window at all.
constexpr int kShowAfterMs = 400;
} // namespace

ProgressBox::ProgressBox(QWidget* parent, QString text)
    : m_text(std::move(text)), m_dialog(std::make_unique<QProgressDialog>(parent)) {
    m_dialog->setWindowTitle(QString::fromLatin1(kApplicationTitle));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(kShowAfterMs);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumWidth(420);
    m_dialog->setValue(0);
}

ProgressBox::~ProgressBox() = default;

bool ProgressBox::Report(std::int64_t done, std::int64_t total) {
    const QLocale locale;
    m_dialog->setLabelText(m_text.arg(locale.toString(static_cast<qlonglong>(done)),
                                      locale.toString(static_cast<qlonglong>(total))));
    if (total > 0 && done >= total) {
        // All counted, the last of the work under way: the bar shows that it is busy.
        m_dialog->setRange(0, 0);
    } else {
        // The bar counts in thousandths, so any amount fits its range.
        m_dialog->setRange(0, 1000);
        m_dialog->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
    }
    QCoreApplication::processEvents();
    if (g_observer)
        g_observer(*m_dialog);
    return !m_dialog->wasCanceled();
}

ProgressObserver SetProgressObserver(ProgressObserver observer) {
    std::swap(g_observer, observer);
    return observer;
}
