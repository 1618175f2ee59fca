#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class FileViewDialog;
}
class KeywordHighlights;

// "File View": the full text of the resume in EditedResume, read-only. After a keyword search it
// marks the matches, shows the first, and F3 and Shift+F3 go to the next and previous one.
class FileViewDialog final : public QDialog {
    Q_OBJECT

public:
    explicit FileViewDialog(QWidget* parent);
    ~FileViewDialog() override;

private:
    void ShowKeywordMatches();
    void UpdateMatchLabel();

    std::unique_ptr<Ui::FileViewDialog> m_ui;
    std::unique_ptr<KeywordHighlights> m_highlights;
};

inline constexpr const char* kKeywordMatchOf = "Match %1 of %2 (F3 next, Shift+F3 previous)";
inline constexpr const char* kNoKeywordMatchShown = "No keyword match to show in this text";
