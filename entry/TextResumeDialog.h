#pragma once

class DuplicateHint;

#include "documents/DocumentText.h"

#include <QDialog>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class TextResumeDialog;
}
class TaggingEdit;
struct ImportedFile;

inline constexpr const char* kDoNotSaveQuestion = "Are you sure you do not want to save this C.V.?";
inline constexpr const char* kEnterNameAndQualification = "Please enter the Name and the Qualification";
inline constexpr const char* kSelectName = "Please select Name";
inline constexpr const char* kSelectQualification = "Please select Qualification";

// How a "Text Resume" dialog ended: the import goes on to the next file only after Next, or to
// the files dropped on the dialog.
enum class TextResumeEnd { Cancelled, Submitted, NextFile, FileDropped };

// Where a file stands among several chosen together, counted from 1.
struct QueuePlace {
    int number = 1;
    int total = 1;
};

// One resume file shown for tagging; stores the tagged resume on Submit or Next.
class TextResumeDialog : public QDialog {
    Q_OBJECT

public:
    // Reads the file itself.
    TextResumeDialog(QWidget* parent, std::string path);
    // Shows what was read from the file at `path`; `place` is shown when it is one of several.
    TextResumeDialog(QWidget* parent, std::string path, ImportedFile file,
                     std::optional<QueuePlace> place = std::nullopt);
    ~TextResumeDialog() override;

    TextResumeEnd End() const { return m_end; }
    // The files dropped on the dialog, after it ended by FileDropped.
    const std::vector<std::string>& DroppedFiles() const { return m_droppedFiles; }
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
    bool WriteResume();
    bool WriteGuarded();
    void Finish(TextResumeEnd end);
    std::string CheckedStatus() const;

    void CheckDuplicate();

    std::unique_ptr<Ui::TextResumeDialog> m_ui;
    DuplicateHint* m_hint = nullptr;
    std::string m_path;
    std::string m_storedText; // the file's own bytes (a document's UTF-8 text), trimmed: never re-encoded
    std::string m_original;   // the file's bytes as read, kept with the resume
    std::optional<std::chrono::sys_days> m_documentDate; // what open date ranges run to
    TextResumeEnd m_end = TextResumeEnd::Cancelled;
    std::vector<std::string> m_droppedFiles;
};
