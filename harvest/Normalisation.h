#pragma once

#include <string>

// Maps the careers site's free wording onto the bank's vocabularies. The keyword rules append
// canonical spellings to the raw text (no separator); the pick-list match then keeps only the
// pick-list items that occur in it.

// Appends "B.E.,", "M.C.A.,", "B.Tech.," or "M.Tech.," for each rule whose key occurs.
void NormaliseQualifications(std::string& text);
// Appends the specialization tokens, rule group by rule group (electronic data processing
// replaces the whole text by "EDP").
void NormaliseSpecializations(std::string& text);
// Replaces a one- or two-character number by its experience band, anything else by "Not Specified".
void NormaliseExperience(std::string& text);
// Replaces the text by the pick-list items it contains, in pick-list order, upper-cased, each
// followed by ","; uses up `pickList` (the caller passes a copy).
void MatchPickList(std::string& text, std::string& pickList);
// Takes the item before the list's first comma (trimmed) off its front; false when the list is empty.
bool NextListItem(std::string& pickList, std::string& item);
