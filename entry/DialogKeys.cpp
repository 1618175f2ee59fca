#include "entry/DialogKeys.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

bool IsKey(QEvent* event, int key, Qt::KeyboardModifiers modifiers) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* press = static_cast<QKeyEvent*>(event);
    return press->key() == key && (press->modifiers() & ~Qt::KeypadModifier) == modifiers;
}

// The box ignores Ctrl+Tab as text, so the tab character is typed here.
class CtrlTabTypesTab : public QObject {
public:
    explicit CtrlTabTypesTab(QPlainTextEdit* box) : QObject(box), m_box(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (IsKey(event, Qt::Key_Tab, Qt::ControlModifier)) {
            m_box->insertPlainText(QStringLiteral("\t"));
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPlainTextEdit* m_box;
};

class EnterClicks : public QObject {
public:
    explicit EnterClicks(QDialog* dialog) : QObject(dialog) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button != nullptr &&
            (IsKey(event, Qt::Key_Return, Qt::NoModifier) || IsKey(event, Qt::Key_Enter, Qt::NoModifier))) {
            button->click();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void TabMovesFocus(QPlainTextEdit* box) {
    box->setTabChangesFocus(true);
    box->installEventFilter(new CtrlTabTypesTab(box));
}

void EnterPressesFocusedButton(QDialog* dialog) {
    auto* filter = new EnterClicks(dialog);
    const auto buttons = dialog->findChildren<QPushButton*>();
    for (QPushButton* button : buttons)
        button->installEventFilter(filter);
}
