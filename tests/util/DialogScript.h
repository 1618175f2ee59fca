#pragma once

#include "platform/ControlId.h"
#include "platform/ModalRun.h"

#include <QAbstractButton>
#include <QDialog>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

// Acts on each modal dialog as it comes up, one scripted step per dialog, in order. Nested
// dialogs opened by a step take the next steps. A dialog with no step left is rejected and
// reported, so a test never hangs on an unexpected dialog.
class DialogScript {
public:
    using Step = std::function<void(QDialog&)>;

    DialogScript() {
        m_previous = SetModalHandler([this](QDialog& dialog) {
            if (m_steps.empty()) {
                ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
                dialog.reject();
                return;
            }
            Step step = std::move(m_steps.front());
            m_steps.pop_front();
            step(dialog);
        });
    }
    ~DialogScript() { SetModalHandler(m_previous); }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    DialogScript& Then(Step step) {
        m_steps.push_back(std::move(step));
        return *this;
    }
    // For a dialog the running step is about to open: it goes before the steps already queued.
    DialogScript& Nested(Step step) {
        m_steps.push_front(std::move(step));
        return *this;
    }
    bool AllDone() const { return m_steps.empty(); }

private:
    std::deque<Step> m_steps;
    ModalHandler m_previous;
};

// Clicks the control with the given template id.
inline void Click(QDialog& dialog, int id) {
    auto* button = FindControl<QAbstractButton>(&dialog, id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    button->click();
}
