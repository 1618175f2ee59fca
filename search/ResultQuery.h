#pragma once

#include <string>

// The query the result window runs when it opens; set by the search form or All Records.
extern std::string g_resultQuery;
