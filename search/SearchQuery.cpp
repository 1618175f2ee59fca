#include "search/SearchQuery.h"

#include "store/KeywordQuery.h"

#include <utility>

bool SearchCriteria::IsEmpty() const {
    return name.empty() && specialization.empty() && qualification.empty() && experience.empty() &&
           email.empty() && location.empty() && organization.empty() && status.empty() && keywords.empty();
}

std::string SqlTextLiteral(std::string_view value) {
    std::string literal = "'";
    for (char byte : value) {
        literal += byte;
        if (byte == '\'')
            literal += '\'';
    }
    literal += '\'';
    return literal;
}

std::string BuildSearchQuery(const SearchCriteria& criteria, std::string_view keywordMatch) {
    const std::pair<const char*, const std::string*> conditions[] = {
        {"Name", &criteria.name},
        {"Specialization", &criteria.specialization},
        {"Qualification", &criteria.qualification},
        {"Experience", &criteria.experience},
        {"Email", &criteria.email},
        {"Location", &criteria.location},
        {"Organization", &criteria.organization},
        {"Status", &criteria.status}};
    std::string query = kSearchQueryPrefix;
    bool first = true;
    for (const auto& [column, value] : conditions) {
        if (value->empty())
            continue;
        if (!first)
            query += " AND ";
        first = false;
        query += column;
        query += '=';
        query += SqlTextLiteral(*value);
    }
    if (!keywordMatch.empty())
        query += (first ? "" : " AND ") + KeywordCondition(keywordMatch);
    return query + kSearchQueryOrder;
}
