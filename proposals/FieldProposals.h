#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Proposes a resume's fields from its text: what a recruiter would otherwise tag by hand. Free of
// widgets and of the bank: the caller passes the text and the pick lists. Where a field cannot be
// told with confidence it is left empty, since a wrong value that looks right costs more than none.

// Where a value was found: a byte range of the text passed in.
struct TextSpan {
    std::size_t offset = 0;
    std::size_t length = 0;
};

// A value as it is to be stored, and where in the text it was found. For a value that is not a
// copy of the text (a band worked out from date ranges, a list item found by a spelled-out form)
// the span covers the text it was derived from.
struct ProposedValue {
    std::string value;
    TextSpan found;
};

// The three pick lists as the bank's "ComboData" rows hold them: items separated by commas.
struct PickLists {
    std::string qualifications;
    std::string specializations;
    std::string locations;
};

struct ProposalInput {
    std::string_view text; // the text the import shows (UTF-8 for documents)
    PickLists lists;
    // The document's own date (its metadata, else the file's modification time): ranges running
    // to "present" count to it. Without it open ranges give no experience band.
    std::optional<std::chrono::sys_days> documentDate;
};

struct FieldProposals {
    std::optional<ProposedValue> name;
    std::optional<ProposedValue> email;
    std::optional<ProposedValue> phone; // as written; not stored by the bank
    std::optional<ProposedValue> organization;
    std::optional<ProposedValue> experienceBand; // one of "0-1", "1-2", ... "More than 15"
    // Pick-list items, spelled as the list spells them, in the list's order, each at most once.
    std::vector<ProposedValue> qualifications;
    std::vector<ProposedValue> specializations;
    std::vector<ProposedValue> locations;
};

// Never throws for any text (NUL bytes, invalid UTF-8, any length); time grows at most linearly
// with the text, and only the first part of a very long text is looked at.
FieldProposals ProposeFields(const ProposalInput& input);
