#include "entry/OverflowBeep.h"

#include "platform/Beep.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr unsigned kOverflowToneHz = 150;
constexpr unsigned kOverflowToneMs = 600;

class OverflowWatcher : public QObject {
public:
    explicit OverflowWatcher(QLineEdit* box) : QObject(box), m_box(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_box && event->type() == QEvent::KeyPress) {
            const qsizetype inserted = InsertedLength(static_cast<QKeyEvent*>(event));
            const qsizetype after = m_box->text().size() - m_box->selectedText().size() + inserted;
            if (inserted > 0 && after > m_box->maxLength())
                Beep(kOverflowToneHz, kOverflowToneMs);
        }
        return false;
    }

private:
    static qsizetype InsertedLength(const QKeyEvent* key) {
        if (key->matches(QKeySequence::Paste))
            return QGuiApplication::clipboard()->text().size();
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint() || (key->modifiers() & Qt::ControlModifier))
            return 0;
        return text.size();
    }

    QLineEdit* m_box;
};

} // namespace

void BeepOnOverflow(QLineEdit* box) {
    box->installEventFilter(new OverflowWatcher(box)); // owned by the box
}
