#include "search/FileViewDialog.h"

#include "entry/EditedResume.h"
#include "platform/Text.h"
#include "ui_FileViewDialog.h"

#include <algorithm>

namespace {
constexpr qsizetype kLongestWrappedWord = 2000;

qsizetype LongestRunWithoutBlank(const QString& text) {
    qsizetype longest = 0;
    qsizetype run = 0;
    for (const QChar character : text) {
        run = character.isSpace() ? 0 : run + 1;
        longest = std::max(longest, run);
    }
    return longest;
}
} // namespace

FileViewDialog::FileViewDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FileViewDialog>()) {
    m_ui->setupUi(this);
    const QString text = ToQt(EditedResume.fullText);
    // Looking for a word boundary in a very long run without one takes seconds: break such runs anywhere.
    if (LongestRunWithoutBlank(text) > kLongestWrappedWord)
        m_ui->textBox->setWordWrapMode(QTextOption::WrapAnywhere);
    m_ui->textBox->setPlainText(text);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    m_ui->okButton->setFocus();
}

FileViewDialog::~FileViewDialog() = default;
