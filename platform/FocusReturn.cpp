#include "platform/FocusReturn.h"

#include <QApplication>

FocusReturn::FocusReturn() : m_focused(QApplication::focusWidget()) {}

FocusReturn::~FocusReturn() {
    // A control that went away or was hidden meanwhile (its dialog closed) takes nothing back.
    if (!m_focused || !m_focused->isVisible() || !m_focused->isEnabled())
        return;
    QWidget* window = m_focused->window();
    if (!window->isActiveWindow())
        window->activateWindow();
    m_focused->setFocus(Qt::OtherFocusReason);
}
