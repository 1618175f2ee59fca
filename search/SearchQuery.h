#pragma once

#include <string>
#include <string_view>

// What the search form was given; an empty text is a criterion not given.
struct SearchCriteria {
    std::string name;
    std::string specialization;
    std::string qualification;
    std::string experience;
    std::string email;
    std::string location;
    std::string organization;
    std::string status;
    std::string keywords; // as typed, trimmed; searched through the keyword index

    bool IsEmpty() const;
};

// The fixed four-table join every search extends; it ends in a blank.
inline constexpr const char* kSearchQueryPrefix =
    "SELECT * FROM [Abstract Information],Qualifications,Specializations,Locations WHERE "
    "[Abstract Information].ID=Specializations.ID AND [Abstract Information].ID=Locations.ID AND "
    "[Abstract Information].ID=Qualifications.ID AND ";
inline constexpr const char* kSearchQueryOrder = "ORDER BY [Abstract Information].ID;";

// The value as a single-quoted SQL literal with its single quotes doubled, so that whatever the
// user typed is searched for as it stands and can never change the query.
std::string SqlTextLiteral(std::string_view value);

// One equality condition per given criterion, in the fixed column order Name, Specialization,
// Qualification, Experience, Email, Location, Organization, Status, joined by " AND ". A keyword
// search adds, last, the condition that the resume's ID is among those `keywordMatch` finds.
std::string BuildSearchQuery(const SearchCriteria& criteria, std::string_view keywordMatch = {});
