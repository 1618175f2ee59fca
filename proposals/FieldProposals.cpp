#include "proposals/FieldProposals.h"

#include "proposals/Proposers.h"

namespace {

// Spans found in the cleaned text, as places in the text given.
TextSpan InInput(const ResumeText& text, TextSpan span) {
    const std::size_t begin = text.Original(span.offset);
    return {begin, text.Original(span.offset + span.length) - begin};
}

std::optional<ProposedValue> Proposed(const ResumeText& text, const std::optional<Found>& found) {
    if (!found || found->value.empty())
        return std::nullopt;
    return ProposedValue{found->value, InInput(text, found->span)};
}

std::vector<ProposedValue> InInput(const ResumeText& text, std::vector<ProposedValue> values) {
    for (ProposedValue& value : values)
        value.found = InInput(text, value.found);
    return values;
}

// The last month worked in by the document's date: a month only begun does not count.
std::optional<int> MonthOf(const std::optional<std::chrono::sys_days>& date) {
    if (!date)
        return std::nullopt;
    const std::chrono::year_month_day day{*date - std::chrono::days(15)};
    if (!day.ok())
        return std::nullopt;
    return static_cast<int>(day.year()) * 12 + static_cast<int>(static_cast<unsigned>(day.month())) - 1;
}

} // namespace

FieldProposals ProposeFields(const ProposalInput& input) {
    FieldProposals proposals;
    try {
        const ResumeText text(input.text);
        const std::vector<Found> emails = FindEmails(text);
        const std::optional<Found> email = ChooseEmail(text, emails);
        proposals.email = Proposed(text, email);
        proposals.name = Proposed(text, ProposeName(text, email));
        proposals.phone = Proposed(text, ProposePhone(text));
        const std::vector<std::string> locations = PickListItems(input.lists.locations);
        const std::vector<Position> positions = ExperiencePositions(text, MonthOf(input.documentDate));
        proposals.organization = Proposed(text, ProposeOrganization(text, positions, locations));
        proposals.experienceBand = Proposed(text, ProposeExperienceBand(text, positions));
        ListProposals lists = ProposeListItems(text, {PickListItems(input.lists.qualifications),
                                                      PickListItems(input.lists.specializations), locations});
        proposals.qualifications = InInput(text, std::move(lists.qualifications));
        proposals.specializations = InInput(text, std::move(lists.specializations));
        proposals.locations = InInput(text, std::move(lists.locations));
    } catch (...) {
        // The keyword rules need the database engine's full-text module; without it, or out of
        // memory, whatever was proposed so far stands and the rest stays empty.
    }
    return proposals;
}
