#include "search/ResultQuery.h"

#include "store/QueryTexts.h"

std::string g_resultQuery = kAllRecordsQuery;
long g_selectedRow = 1;
std::string g_detailsQuery;
