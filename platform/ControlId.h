#pragma once

#include <QWidget>

// Dialog controls carry their template id in the dynamic property "controlId".
inline constexpr const char* kControlIdProperty = "controlId";

void SetControlId(QWidget* control, int id);
int ControlIdOf(const QObject* control); // 0 when it has none

QWidget* FindControlWidget(const QWidget* root, int id);

template <typename T = QWidget> T* FindControl(const QWidget* root, int id) {
    return qobject_cast<T*>(FindControlWidget(root, id));
}
