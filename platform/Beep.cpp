#include "platform/Beep.h"

#include <QApplication>

namespace {
BeepObserver g_beepObserver;
}

void Beep(unsigned frequencyHz, unsigned durationMs) {
    if (g_beepObserver) {
        g_beepObserver(frequencyHz, durationMs);
        return;
    }
    QApplication::beep();
}

void ExclamationBeep() {
    Beep(0, 0);
}

BeepObserver SetBeepObserver(BeepObserver observer) {
    std::swap(g_beepObserver, observer);
    return observer;
}
