#pragma once

#include "documents/DocumentText.h"
#include "platform/MessageBox.h"

#include <chrono>
#include <optional>
#include <string>

class QWidget;

// A file read for the text import: its text, and its own bytes, which are kept with the resume.
struct ImportedFile {
    DocumentText content;
    std::string bytes; // empty when the file could not be read
    // The day the file was last written: what an open date range ("2019 – present") runs to when
    // the document names no date of its own. Never simply today: a resume read years after it was
    // written would otherwise gain those years.
    std::optional<std::chrono::sys_days> modified;
};

// Reads a file the way the import does; `progress` as ReadDocument takes it.
ImportedFile ReadImportedFile(const std::string& path, const ReadProgress& progress = {});

// Reads a chosen file for the text import. A reading that goes on for a while shows its progress
// over `parent` and keeps the windows painting; Escape or the box's Stop button stops it, and
// then nothing is returned.
std::optional<ImportedFile> ReadForImport(QWidget* parent, const std::string& path);

// The icon of the message that names a file without text: a file that cannot be read at all is
// an error of the system, the others are the document's.
MessageIcon ProblemIcon(const DocumentText& content);

// How long a reading runs before its progress shows. Returns the delay it replaced.
std::chrono::milliseconds SetProgressDelay(std::chrono::milliseconds delay);

inline constexpr int kProgressStopButton = 2001;
