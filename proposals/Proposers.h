#pragma once

#include "proposals/FieldProposals.h"
#include "proposals/ResumeText.h"

#include <optional>
#include <string>
#include <vector>

// The proposers of the single fields, each in a file of its own; FieldProposals.cpp runs them.

// A value found in the text: as it is to be stored, where it stands, and on which line.
struct Found {
    std::string value;
    TextSpan span;
    std::size_t line = 0; // index into ResumeText::Lines()
};

// The candidate's own part of a resume: its head and its contact sections.
bool InContactPart(const TextLine& line);
// Whether a line, or the one before it, speaks of someone else (a referee, a superior).
bool AboutSomeoneElse(const ResumeText& text, std::size_t line);

// E-mail addresses in reading order, each once, joined where a line end broke one.
std::vector<Found> FindEmails(const ResumeText& text);
std::optional<Found> ChooseEmail(const ResumeText& text, const std::vector<Found>& emails);

std::optional<Found> ProposePhone(const ResumeText& text);

std::optional<Found> ProposeName(const ResumeText& text, const std::optional<Found>& email);

// A dated position of the experience section, its end resolved: an open one ends at the
// document's date (unknown without one).
struct Position {
    int start = 0;          // months: year * 12 + month - 1
    std::optional<int> end; // none: open, with no date to count to
    bool open = false;      // running to the present
    std::size_t line = 0;
    TextSpan span; // where the range is written
};

// The experience section's positions in reading order; `today` is the document's month.
std::vector<Position> ExperiencePositions(const ResumeText& text, std::optional<int> today);
std::optional<Found> ProposeExperienceBand(const ResumeText& text, const std::vector<Position>& positions);
std::optional<Found> ProposeOrganization(const ResumeText& text, const std::vector<Position>& positions,
                                         const std::vector<std::string>& locations);
// The band of a time worked of `years`: "0-1" to "More than 15".
std::string_view BandOf(double years);

// The items of a pick list as "ComboData" holds it: cut at commas, trimmed, empty ones dropped.
std::vector<std::string> PickListItems(std::string_view list);

// The items of each list (as PickListItems cuts them) that the text names where such items are
// written, in the list's order, each once, with where it was first found.
struct PickListTexts {
    std::vector<std::string> qualifications, specializations, locations;
};
struct ListProposals {
    std::vector<ProposedValue> qualifications, specializations, locations;
};
ListProposals ProposeListItems(const ResumeText& text, const PickListTexts& lists);
