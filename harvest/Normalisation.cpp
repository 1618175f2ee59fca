#include "harvest/Normalisation.h"

#include "store/Vocabulary.h"

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

struct KeywordRule {
    std::string_view key;
    std::string_view token;
};

constexpr KeywordRule kQualificationRules[] = {{"bachelor of engineering", "B.E.,"},
                                               {"master of computer application", "M.C.A.,"},
                                               {"bachelor of technology", "B.Tech.,"},
                                               {"master of technology", "M.Tech.,"},
                                               {"m.tech", "M.Tech.,"},
                                               {"b.tech", "B.Tech.,"},
                                               {"b.e", "B.E.,"},
                                               {"mca", "M.C.A.,"},
                                               {"m.c.a", "M.C.A.,"}};

// Group 1: database, tool and language names.
void ApplyToolRules(std::string& text) {
    const std::string copy = Lowered(text);
    if (Holds(copy, "sybase"))
        text += "SYBASE DBA";
    if (Holds(copy, "power builder"))
        text += "POWER BUILDER";
    if (Holds(copy, "oracle") && Holds(copy, "developer"))
        text += "ORACLE DEV/DES";
    else if (Holds(copy, "oracle") && Holds(copy, "dba"))
        text += "ORACLE DBA";
    if (Holds(copy, "VB"))
        text += "VISUAL BASIC";
    if (Holds(copy, "visual c++"))
        text += "VC++";
    if (Holds(copy, "c++"))
        text += "C/C++";
}

// Group 2: web scripting, and electronic data processing, which stands for the whole text.
void ApplyProcessingRules(std::string& text) {
    const std::string copy = Lowered(text);
    if (Holds(copy, "cgi") && Holds(copy, "perl"))
        text += "CGI/ISAPI/PERL";
    if (Holds(copy, "electronic data processing"))
        text = "EDP";
}

void ApplyUnixRule(std::string& text) {
    const std::string copy = Lowered(text);
    if (Holds(copy, "unix") && Holds(copy, "c") && !Holds(copy, "unix & c"))
        text += "UNIX ADMINISTRATORS";
}

void ApplyErpRule(std::string& text) {
    if (Holds(Lowered(text), "enterprise resource planning"))
        text += "ERP";
}

void ApplyAs400Rule(std::string& text) {
    const std::string copy = Lowered(text);
    if (Holds(copy, "as-400") && !Holds(copy, "As-400 Professional"))
        text += "AS/400";
}

int LeadingInteger(const std::string& text) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp(value, static_cast<long>(INT_MIN), static_cast<long>(INT_MAX)));
}

} // namespace

void NormaliseQualifications(std::string& text) {
    const std::string copy = Lowered(text);
    for (const KeywordRule& rule : kQualificationRules) {
        if (Holds(copy, rule.key))
            text += rule.token;
    }
}

void NormaliseSpecializations(std::string& text) {
    // Each group sees the tokens of the groups before it, not those of its own rules.
    ApplyToolRules(text);
    ApplyProcessingRules(text);
    ApplyUnixRule(text);
    ApplyErpRule(text);
    ApplyAs400Rule(text);
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
