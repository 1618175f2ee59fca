#pragma once

#include "store/ResumeRecord.h"
#include "store/Vocabulary.h"

#include <string>

// The list values chosen for the resume being entered or tagged, one text per pick list. Each
// chosen value is followed by ","; the empty text means nothing chosen.
struct ValueListSelection {
    std::string qualifications;
    std::string specializations;
    std::string locations;

    std::string& Of(PickListKind kind);
    void Clear();
    bool AllEmpty() const;
    // A record never goes out with an empty list: what was not chosen is "Not Specified".
    void FillEmptyWithNotSpecified();
    // Hands the three lists to the record a store is about to write.
    void CopyInto(ResumeRecord& record) const;
};

// Shared by the input form, the value list dialog and the text-file import.
extern ValueListSelection SelectedValueLists;
