#include "search/FileViewDialog.h"

#include "entry/EditedResume.h"
#include "platform/Text.h"
#include "search/KeywordHighlights.h"
#include "ui_FileViewDialog.h"

#include <QShortcut>
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
    if (!g_resultKeywords.empty())
        ShowKeywordMatches();
}

FileViewDialog::~FileViewDialog() = default;

void FileViewDialog::ShowKeywordMatches() {
    m_highlights = std::make_unique<KeywordHighlights>(*m_ui->textBox, g_resultKeywords);
    const auto go = [this](void (KeywordHighlights::*step)()) {
        ((*m_highlights).*step)();
        UpdateMatchLabel();
    };
    connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this,
            [go] { go(&KeywordHighlights::Next); });
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this), &QShortcut::activated, this,
            [go] { go(&KeywordHighlights::Previous); });
    m_ui->matchLabel->setVisible(true);
    UpdateMatchLabel();
}

void FileViewDialog::UpdateMatchLabel() {
    if (m_highlights->Count() == 0) {
        m_ui->matchLabel->setText(QString::fromLatin1(kNoKeywordMatchShown));
        return;
    }
    m_ui->matchLabel->setText(
        QString::fromLatin1(kKeywordMatchOf).arg(m_highlights->Current() + 1).arg(m_highlights->Count()));
}
