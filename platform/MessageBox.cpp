#include "platform/MessageBox.h"

#include "platform/FocusReturn.h"
#include "platform/Text.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>
#include <mutex>

namespace {

std::mutex g_answererMutex;
MessageAnswerer g_answerer;

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QWidget* BoxOwner() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

// A box sizes itself to its text, so a short one ("mail sent") would cut its title bar down
// to "T…"; a spacer row keeps it wide enough for the title and the window's buttons.
void KeepTitleVisible(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr)
        return;
    const int titleWidth = box.fontMetrics().horizontalAdvance(box.windowTitle());
    constexpr int kTitleBarButtons = 160; // icon, minimise, maximise and close, with their spacing
    grid->addItem(new QSpacerItem(titleWidth + kTitleBarButtons, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

MessageAnswer ShowBox(const MessageRequest& request) {
    QMessageBox box(ToQtIcon(request.icon), QString::fromLatin1(kApplicationTitle), ToQt(request.text),
                    QMessageBox::NoButton, BoxOwner());
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    KeepTitleVisible(box);
    const int pressed = box.exec();
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer Answer(const MessageRequest& request) {
    const FocusReturn focus;
    MessageAnswerer answerer;
    {
        std::lock_guard lock(g_answererMutex);
        answerer = g_answerer;
    }
    return answerer ? answerer(request) : ShowBox(request);
}

} // namespace

MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons, MessageIcon icon) {
    const MessageRequest request{text, buttons, icon};
    auto* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread())
        return Answer(request);
    // Widgets live on the UI thread only: hand the box over and wait for the answer.
    MessageAnswer answer = MessageAnswer::No;
    QMetaObject::invokeMethod(
        app, [&] { answer = Answer(request); }, Qt::BlockingQueuedConnection);
    return answer;
}

MessageAnswerer SetMessageAnswerer(MessageAnswerer answerer) {
    std::lock_guard lock(g_answererMutex);
    std::swap(g_answerer, answerer);
    return answerer;
}
