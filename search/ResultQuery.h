#pragma once

#include <string>

// The query the result window runs when it opens; set by the search form or All Records.
extern std::string g_resultQuery;
// The grid row the result window takes as selected (data rows count from 1).
extern long g_selectedRow;
// The query for the selected resume's full text: kResumeDetailsQueryPrefix and its ID.
extern std::string g_detailsQuery;
