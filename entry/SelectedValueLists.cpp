#include "entry/SelectedValueLists.h"

ValueListSelection SelectedValueLists;

std::string& ValueListSelection::Of(PickListKind kind) {
    switch (kind) {
    case PickListKind::Specializations:
        return specializations;
    case PickListKind::Locations:
        return locations;
    case PickListKind::Qualifications:
        break;
    }
    return qualifications;
}

void ValueListSelection::Clear() {
    qualifications.clear();
    specializations.clear();
    locations.clear();
}

bool ValueListSelection::AllEmpty() const {
    return qualifications.empty() && specializations.empty() && locations.empty();
}

void ValueListSelection::FillEmptyWithNotSpecified() {
    for (std::string* list : {&qualifications, &specializations, &locations}) {
        if (list->empty())
            *list = kNotSpecified;
    }
}

void ValueListSelection::CopyInto(ResumeRecord& record) const {
    record.qualifications = qualifications;
    record.specializations = specializations;
    record.locations = locations;
}
