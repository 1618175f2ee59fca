#include "tests/proposals/ProposalTestSupport.h"

FieldProposals Propose(const std::string& text, bool dated) {
    ProposalInput input;
    input.text = text;
    input.lists = {kQualificationList, kSpecializationList, kLocationList};
    if (dated)
        input.documentDate = std::chrono::sys_days(std::chrono::year(2024) / 5 / 15);
    return ProposeFields(input);
}

std::string ValueOf(const std::optional<ProposedValue>& value) {
    return value ? value->value : std::string();
}

std::string ValuesOf(const std::vector<ProposedValue>& values) {
    std::string joined;
    for (const ProposedValue& value : values)
        joined += (joined.empty() ? "" : ",") + value.value;
    return joined;
}

std::string FoundIn(const std::string& text, const std::optional<ProposedValue>& value) {
    if (!value || value->found.offset + value->found.length > text.size())
        return "(none)";
    return text.substr(value->found.offset, value->found.length);
}
