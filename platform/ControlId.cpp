#include "platform/ControlId.h"

#include <QVariant>

void SetControlId(QWidget* control, int id) {
    control->setProperty(kControlIdProperty, id);
}

int ControlIdOf(const QObject* control) {
    return control->property(kControlIdProperty).toInt();
}

QWidget* FindControlWidget(const QWidget* root, int id) {
    const auto children = root->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (ControlIdOf(child) == id)
            return child;
    }
    return nullptr;
}
