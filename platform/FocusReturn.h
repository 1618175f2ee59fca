#pragma once

#include <QPointer>
#include <QWidget>

// Gives the keyboard focus back to the control that had it once a message box or a nested
// dialog has closed. A window manager may otherwise leave the owner window inactive with no
// control focused, so typed keys go nowhere until a click.
class FocusReturn {
public:
    FocusReturn();
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> m_focused;
};
