#pragma once

#include <array>
#include <string_view>

// The rules that map free wording onto the bank's pick lists: a key found in a text stands for a
// pick-list item. The web harvest tests the keys as substrings of a page's fields, in this order;
// the field proposals test them as whole words.

struct QualificationRule {
    std::string_view key;
    std::string_view item;
};

inline constexpr QualificationRule kQualificationRules[] = {{"bachelor of engineering", "B.E."},
                                                            {"master of computer application", "M.C.A."},
                                                            {"bachelor of technology", "B.Tech."},
                                                            {"master of technology", "M.Tech."},
                                                            {"m.tech", "M.Tech."},
                                                            {"b.tech", "B.Tech."},
                                                            {"b.e", "B.E."},
                                                            {"mca", "M.C.A."},
                                                            {"m.c.a", "M.C.A."}};

// A specialization rule holds when every one of its keys occurs and its `unless` key does not.
// Rules come in groups: the harvest tests a group against the text as the groups before it left it.
struct SpecializationRule {
    int group;
    std::array<std::string_view, 2> keys; // an empty key is no condition
    std::string_view unless;              // empty: no exception
    std::string_view item;
    bool replacesText = false; // the item stands for the whole text, whatever else it held
};

inline constexpr SpecializationRule kSpecializationRules[] = {
    {1, {"sybase", ""}, "", "SYBASE DBA"},
    {1, {"power builder", ""}, "", "POWER BUILDER"},
    {1, {"oracle", "developer"}, "", "ORACLE DEV/DES"},
    {1, {"oracle", "dba"}, "developer", "ORACLE DBA"},
    {1, {"vb", ""}, "", "VISUAL BASIC"},
    {1, {"visual c++", ""}, "", "VC++"},
    {1, {"c++", ""}, "", "C/C++"},
    {2, {"cgi", "perl"}, "", "CGI/ISAPI/PERL"},
    {2, {"electronic data processing", ""}, "", "EDP", true},
    {3, {"unix", "c"}, "unix & c", "UNIX ADMINISTRATORS"},
    {4, {"enterprise resource planning", ""}, "", "ERP"},
    {5, {"as-400", ""}, "as-400 professional", "AS/400"},
};
