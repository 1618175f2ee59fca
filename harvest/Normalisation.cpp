#include "harvest/Normalisation.h"

#include "store/Vocabulary.h"
#include "store/VocabularyRules.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace {

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char byte) { return static_cast<char>(std::tolower(byte)); });
    return text;
}

std::string Uppered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char byte) { return static_cast<char>(std::toupper(byte)); });
    return text;
}

bool Holds(const std::string& lowered, std::string_view key) {
    return lowered.find(Lowered(std::string(key))) != std::string::npos;
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n\v\f");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n\v\f");
    return std::string(text.substr(first, last - first + 1));
}

bool Holds(const std::string& lowered, const SpecializationRule& rule) {
    for (const std::string_view key : rule.keys) {
        if (!key.empty() && !Holds(lowered, key))
            return false;
    }
    return rule.unless.empty() || !Holds(lowered, rule.unless);
}

int LeadingInteger(const std::string& text) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp(value, static_cast<long>(INT_MIN), static_cast<long>(INT_MAX)));
}

} // namespace

void NormaliseQualifications(std::string& text) {
    const std::string copy = Lowered(text);
    for (const QualificationRule& rule : kQualificationRules) {
        if (Holds(copy, rule.key)) {
            text += rule.item;
            text += ',';
        }
    }
}

void NormaliseSpecializations(std::string& text) {
    // Each group sees the tokens of the groups before it, not those of its own rules.
    std::string copy;
    int group = 0;
    for (const SpecializationRule& rule : kSpecializationRules) {
        if (rule.group != group) {
            group = rule.group;
            copy = Lowered(text);
        }
        if (!Holds(copy, rule))
            continue;
        if (rule.replacesText)
            text = rule.item;
        else
            text += rule.item;
    }
}

void NormaliseExperience(std::string& text) {
    if (text.size() != 1 && text.size() != 2) {
        text = kNotSpecified;
        return;
    }
    const int years = LeadingInteger(text);
    ExperienceBand band = ExperienceBand::ZeroToOne;
    if (years >= 16)
        band = ExperienceBand::MoreThanFifteen;
    else if (years >= 11)
        band = ExperienceBand::TenToFifteen;
    else if (years >= 8)
        band = ExperienceBand::SevenToTen;
    else if (years >= 6)
        band = ExperienceBand::FiveToSeven;
    else if (years >= 3)
        band = ExperienceBand::TwoToFive;
    else if (years >= 1)
        band = ExperienceBand::OneToTwo;
    text = ExperienceBandText(band);
}

bool NextListItem(std::string& pickList, std::string& item) {
    if (pickList.empty())
        return false;
    const auto comma = pickList.find(',');
    item = Trimmed(std::string_view(pickList).substr(0, comma));
    pickList =
        comma == std::string::npos ? std::string() : Trimmed(std::string_view(pickList).substr(comma + 1));
    return true;
}

void MatchPickList(std::string& text, std::string& pickList) {
    const std::string copy = Uppered(text);
    text.clear();
    pickList = Uppered(pickList);
    std::string item;
    while (NextListItem(pickList, item)) {
        // An empty piece would match every text and store an empty value.
        if (!item.empty() && copy.find(item) != std::string::npos) {
            text += item;
            text += ',';
        }
    }
}
