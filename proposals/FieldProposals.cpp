#include "proposals/FieldProposals.h"

#include "proposals/Proposers.h"

namespace {

std::optional<ProposedValue> Proposed(const std::optional<Found>& found) {
    if (!found || found->value.empty())
        return std::nullopt;
    return ProposedValue{found->value, found->span};
}

std::optional<int> MonthOf(const std::optional<std::chrono::sys_days>& date) {
    if (!date)
        return std::nullopt;
    const std::chrono::year_month_day day{*date};
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
        proposals.email = Proposed(email);
        proposals.name = Proposed(ProposeName(text, email));
        proposals.phone = Proposed(ProposePhone(text));
        const std::vector<std::string> locations = PickListItems(input.lists.locations);
        const std::vector<Position> positions = ExperiencePositions(text, MonthOf(input.documentDate));
        proposals.organization = Proposed(ProposeOrganization(text, positions, locations));
        proposals.experienceBand = Proposed(ProposeExperienceBand(text, positions));
        ListProposals lists = ProposeListItems(text, {PickListItems(input.lists.qualifications),
                                                      PickListItems(input.lists.specializations), locations});
        proposals.qualifications = std::move(lists.qualifications);
        proposals.specializations = std::move(lists.specializations);
        proposals.locations = std::move(lists.locations);
    } catch (...) {
        // The keyword rules need the database engine's full-text module; without it, or out of
        // memory, whatever was proposed so far stands and the rest stays empty.
    }
    return proposals;
}
