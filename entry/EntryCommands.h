#pragma once

#include "store/Vocabulary.h"

#include <string>
#include <vector>

class QWidget;

// The main window's resume entry commands. Each runs its dialogs modally over `parent` and
// returns when the user is done.

// "&Manually": the "Resume Input Form" in new mode.
void RunManualEntry(QWidget* parent);

// "From  &Text File": choose resume files, tag each, store it; again after Next.
void RunTextFileImport(QWidget* parent);

// The same import for files dropped on the main window: it starts with those files.
void RunDroppedFileImport(QWidget* parent, const std::vector<std::string>& paths);

// "&Change" > "Q&ualification", "&Specialization", "&Location Preference": edit one pick list.
void RunPickListEditor(QWidget* parent, PickListKind kind);
