#include "search/FileViewDialog.h"

#include "entry/EditedResume.h"
#include "platform/Text.h"
#include "ui_FileViewDialog.h"

FileViewDialog::FileViewDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FileViewDialog>()) {
    m_ui->setupUi(this);
    m_ui->textBox->setPlainText(ToQt(EditedResume.fullText));
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    m_ui->okButton->setFocus();
}

FileViewDialog::~FileViewDialog() = default;
