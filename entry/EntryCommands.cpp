#include "entry/EntryCommands.h"

#include "entry/EditedResume.h"
#include "entry/ResumeInputDialog.h"
#include "entry/ValueListDialog.h"
#include "platform/ModalRun.h"

void RunManualEntry(QWidget* parent) {
    EditedResume.editing = false;
    ResumeInputDialog form(parent);
    RunModal(form);
}

void RunPickListEditor(QWidget* parent, PickListKind kind) {
    ValueListDialog editor(parent, kind, kListEditingMode);
    RunModal(editor);
}
