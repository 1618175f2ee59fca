#pragma once

#include "documents/DocumentText.h"

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

// How a "Text Resume" dialog ended: the import goes on to the next file only after Next, or to
// a file dropped on the dialog.
enum class TextResumeEnd { Cancelled, Submitted, NextFile, FileDropped };

// One resume file shown for tagging; stores the tagged resume on Submit or Next.
class TextResumeDialog : public QDialog {
    Q_OBJECT

public:
    // Reads the file itself.
    TextResumeDialog(QWidget* parent, std::string path);
    // Shows what was read from the file at `path`.
    TextResumeDialog(QWidget* parent, std::string path, const DocumentText& content);
    ~TextResumeDialog() override;

    TextResumeEnd End() const { return m_end; }
    // The file dropped on the dialog, after it ended by FileDropped.
    const std::string& DroppedFile() const { return m_droppedFile; }
    // Cancel, Escape and the close box: nothing is written.
    void reject() override;

protected:
    // A file dropped while nothing is tagged takes this one's place, as if chosen next.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void LoadFile(const DocumentText& content);
    bool AcceptsDrop() const;
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
    std::string m_storedText; // the file's own bytes (a document's UTF-8 text), trimmed: never re-encoded
    TextResumeEnd m_end = TextResumeEnd::Cancelled;
    std::string m_droppedFile;
};
