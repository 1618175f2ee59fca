#pragma once

#include "proposals/FieldProposals.h"

#include <string>

// One file's proposed fields as a line of JSON (without its line end): "file", "name", "email",
// "phone", "organization" and "experience_band" as strings or null, "qualifications",
// "specializations" and "locations" as arrays of the pick lists' items.
std::string FieldsLine(const std::string& file, const FieldProposals& proposals);

// The three pick lists the proposals are made against: the bank's in the data folder, else (no
// bank there) the lists a new bank starts with. A bank that cannot be read gives the defaults
// too, and `problem` says why.
PickLists ListsForProposals(std::string& problem);
