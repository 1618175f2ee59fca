#pragma once

#include <string_view>
#include <vector>

// Wordings that stand for a pick-list item: spelled-out degrees ("Master of Business
// Administration" for M.B.A.), skills that make a specialization (Selenium: TESTING), other names
// of a city (Bengaluru: Bangalore). Phrases are matched as whole words under the keyword rules.

enum class ListKind { Qualifications, Specializations, Locations };

struct ImpliedForm {
    constexpr ImpliedForm(std::string_view item, std::string_view phrase, std::string_view also = {},
                          std::string_view unless = {}, bool preferenceOnly = false)
        : item(item), phrase(phrase), also(also), unless(unless), preferenceOnly(preferenceOnly) {}

    std::string_view item;   // as the default pick lists spell it
    std::string_view phrase; // the wording that stands for it
    std::string_view also;   // a second wording the same line must hold
    std::string_view unless; // a wording on the same line that keeps the item away
    bool preferenceOnly;     // counts only where the resume says where it wants to work
};

// Every form of one list: ours and the web harvest's rules, as whole words. Rules with a key of
// one letter are left out: as a whole word such a key says too little.
const std::vector<ImpliedForm>& ImpliedForms(ListKind kind);

// A match of an item inside one of these wordings is none ("unit testing" is not TESTING).
struct ExcludedWording {
    std::string_view item;
    std::string_view phrase;
};
const std::vector<ExcludedWording>& ExcludedWordings();

// An item's spelling for comparing: folded, without dots, blanks, hyphens and apostrophes.
std::string ComparableItem(std::string_view item);
