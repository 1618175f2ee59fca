#include "entry/ResumeProposals.h"

#include "platform/EngineError.h"
#include "platform/Text.h"
#include "store/ResumeStore.h"

#include <QString>
#include <algorithm>

namespace {

std::optional<FieldProposal> One(const std::optional<ProposedValue>& proposed) {
    if (!proposed)
        return std::nullopt;
    return FieldProposal{proposed->value, {proposed->found}};
}

// The items as the value list dialog's OK writes them: its list sorts ignoring case and keeps
// equal items in the pick list's order.
std::optional<FieldProposal> List(std::vector<ProposedValue> items) {
    if (items.empty())
        return std::nullopt;
    for (ProposedValue& item : items)
        item.value = FromQt(ToQt(item.value).trimmed());
    std::stable_sort(items.begin(), items.end(), [](const ProposedValue& a, const ProposedValue& b) {
        return QString::compare(ToQt(a.value), ToQt(b.value), Qt::CaseInsensitive) < 0;
    });
    FieldProposal list;
    for (const ProposedValue& item : items) {
        if (item.value.empty())
            continue;
        list.value += item.value + ",";
        list.found.push_back(item.found);
    }
    if (list.value.empty())
        return std::nullopt;
    return list;
}

PickLists BankPickLists() {
    PickLists lists;
    try {
        ResumeStore store;
        if (store.Open() == 1) {
            store.LoadPickList(lists.qualifications, lists.specializations, lists.locations);
            store.Close();
        }
    } catch (const EngineError&) {
        return {};
    }
    return lists;
}

} // namespace

ResumeProposals ForTheDialog(const FieldProposals& proposals) {
    ResumeProposals fields;
    fields[static_cast<std::size_t>(ResumeField::Name)] = One(proposals.name);
    fields[static_cast<std::size_t>(ResumeField::Email)] = One(proposals.email);
    fields[static_cast<std::size_t>(ResumeField::Phone)] = One(proposals.phone);
    fields[static_cast<std::size_t>(ResumeField::Organization)] = One(proposals.organization);
    fields[static_cast<std::size_t>(ResumeField::Experience)] = One(proposals.experienceBand);
    fields[static_cast<std::size_t>(ResumeField::Qualifications)] = List(proposals.qualifications);
    fields[static_cast<std::size_t>(ResumeField::Specializations)] = List(proposals.specializations);
    fields[static_cast<std::size_t>(ResumeField::Locations)] = List(proposals.locations);
    return fields;
}

ResumeProposals ProposeForTheDialog(std::string_view shownText,
                                    std::optional<std::chrono::sys_days> documentDate) {
    if (shownText.empty())
        return {};
    return ForTheDialog(ProposeFields({shownText, BankPickLists(), documentDate}));
}

std::string ListForDisplay(std::string_view list) {
    std::string shown;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view value = list.substr(0, comma);
        if (!value.empty()) {
            if (!shown.empty())
                shown += ", ";
            shown += value;
        }
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return shown;
}
