#pragma once

#include "store/Vocabulary.h"

class QWidget;

// The main window's resume entry commands. Each runs its dialogs modally over `parent` and
// returns when the user is done.

// "&Manually": the "Resume Input Form" in new mode.
void RunManualEntry(QWidget* parent);

// "From  &Text File": choose a text file, tag it, store it; again after Next.
void RunTextFileImport(QWidget* parent);

// "&Change" > "Q&ualification", "&Specialization", "&Location Preference": edit one pick list.
void RunPickListEditor(QWidget* parent, PickListKind kind);
