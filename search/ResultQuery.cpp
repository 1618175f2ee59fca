#include "search/ResultQuery.h"

std::string g_resultQuery;
