#include "app/AboutDialog.h"

#include "app/AppResources.h"
#include "app/CHyperLink.h"
#include "ui_AboutDialog.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::AboutDialog>()) {
    LoadAppResources();
    m_ui->setupUi(this);
    setFixedSize(size());
    m_ui->link->PreSubclassWindow();
}

AboutDialog::~AboutDialog() = default;

CHyperLink& AboutDialog::Link() {
    return *m_ui->link;
}

void AboutDialog::showEvent(QShowEvent* event) {
    // Centred over the owner's window, not by Qt's guess at the frames' sizes.
    if (const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) {
        QRect centred(QPoint(), size());
        centred.moveCenter(owner->geometry().center());
        setGeometry(centred);
    }
    QDialog::showEvent(event);
}
