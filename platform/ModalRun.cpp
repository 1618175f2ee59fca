#include "platform/ModalRun.h"

#include "platform/FocusReturn.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>

namespace {
ModalHandler g_modalHandler;
}

int RunModal(QDialog& dialog) {
    const FocusReturn focus;
    if (g_modalHandler) {
        QPointer<QDialog> shown(&dialog);
        ModalHandler handler = g_modalHandler;
        // Queued: it fires inside exec()'s loop, after the dialog is up.
        QTimer::singleShot(0, &dialog, [shown, handler] {
            if (shown)
                handler(*shown);
        });
    }
    return dialog.exec();
}

ModalHandler SetModalHandler(ModalHandler handler) {
    std::swap(g_modalHandler, handler);
    return handler;
}
