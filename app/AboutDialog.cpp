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
