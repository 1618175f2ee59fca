#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class TextResumeDialog;
}
class TaggingEdit;

inline constexpr const char* kDoNotSaveQuestion = "Are you sure you do not want to save this C.V.?";
inline constexpr const char* kEnterNameAndQualification = "Please enter the Name and the Qualification";
inline constexpr const char* kSelectName = "Please select Name";
inline constexpr const char* kSelectQualification = "Please select Qualification";

// How a "Text Resume" dialog ended: the import goes on to the next file only after Next.
enum class TextResumeEnd { Cancelled, Submitted, NextFile };

// One text file shown for tagging; stores the tagged resume on Submit or Next.
class TextResumeDialog : public QDialog {
    Q_OBJECT

public:
    TextResumeDialog(QWidget* parent, std::string path);
    ~TextResumeDialog() override;

    TextResumeEnd End() const { return m_end; }
    // Cancel, Escape and the close box: nothing is written.
    void reject() override;

private:
    void LoadFile();
    void Submit();
    void Next();
    bool NothingTagged() const;
    bool MandatoryTagsPresent() const;
    void WriteResume();
    bool WriteGuarded();
    void Finish(TextResumeEnd end);
    std::string CheckedStatus() const;

    std::unique_ptr<Ui::TextResumeDialog> m_ui;
    std::string m_path;
    std::string m_storedText; // the file's own bytes, trimmed: never re-encoded from the display
    TextResumeEnd m_end = TextResumeEnd::Cancelled;
};
