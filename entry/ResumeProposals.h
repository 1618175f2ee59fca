#pragma once

#include "proposals/FieldProposals.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The fields of the Text Resume dialog's panel, in its order.
enum class ResumeField {
    Name,
    Email,
    Phone,
    Organization,
    Experience,
    Qualifications,
    Specializations,
    Locations
};
inline constexpr std::size_t kResumeFieldCount = 8;

// A field's proposal as the dialog applies it: the value as tagging would give it (a list as the
// value list dialog writes it, each value followed by "," in the order it lists them) and where in
// the text it was found.
struct FieldProposal {
    std::string value;
    std::vector<TextSpan> found;
};
using ResumeProposals = std::array<std::optional<FieldProposal>, kResumeFieldCount>;

ResumeProposals ForTheDialog(const FieldProposals& proposals);

// The proposals for a shown text, against the bank's pick lists. Quiet: a bank that cannot be read
// proposes no list values and says nothing, since the dialog opens as it always has.
ResumeProposals ProposeForTheDialog(std::string_view shownText,
                                    std::optional<std::chrono::sys_days> documentDate = std::nullopt);

// A list text as the panel shows it: "B.E.,MBA," gives "B.E., MBA".
std::string ListForDisplay(std::string_view list);
