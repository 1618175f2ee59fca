#include "entry/OverflowBeep.h"

#include "platform/Beep.h"

#include <QLineEdit>

namespace {

constexpr unsigned kOverflowToneHz = 150;
constexpr unsigned kOverflowToneMs = 600;

} // namespace

void BeepOnOverflow(QLineEdit* box) {
    // The box reports every insertion it had to cut at its limit, whatever brought the text in:
    // a key, a paste shortcut, the box's own Paste menu item, a drop or an input method.
    QObject::connect(box, &QLineEdit::inputRejected, box, [] { Beep(kOverflowToneHz, kOverflowToneMs); });
}
