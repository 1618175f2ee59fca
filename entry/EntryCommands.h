#pragma once

#include "store/Vocabulary.h"

#include <string>

class QWidget;

// The main window's resume entry commands. Each runs its dialogs modally over `parent` and
// returns when the user is done.

// "&Manually": the "Resume Input Form" in new mode.
void RunManualEntry(QWidget* parent);

// "From  &Text File": choose a resume file, tag it, store it; again after Next.
void RunTextFileImport(QWidget* parent);

// The same import for a file dropped on the main window: it starts with that file.
void RunDroppedFileImport(QWidget* parent, const std::string& path);

// "&Change" > "Q&ualification", "&Specialization", "&Location Preference": edit one pick list.
void RunPickListEditor(QWidget* parent, PickListKind kind);
