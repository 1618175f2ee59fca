#pragma once

// The query texts the program issues against the bank, exactly as they are run.
inline constexpr const char* kAbstractInformationQuery = "SELECT * FROM [Abstract Information]";
inline constexpr const char* kResumeQuery = "SELECT * FROM RESUME";
inline constexpr const char* kQualificationsQuery = "SELECT ID,Qualification FROM Qualifications";
inline constexpr const char* kSpecializationsQuery = "SELECT ID,Specialization FROM Specializations";
inline constexpr const char* kLocationsQuery = "SELECT ID,Location FROM Locations ";
inline constexpr const char* kComboDataQuery = "SELECT * FROM [ComboData]";
inline constexpr const char* kAllRecordsQuery =
    "SELECT * FROM [Abstract Information],Qualifications,Specializations,Locations WHERE "
    "[Abstract Information].ID=Specializations.ID AND [Abstract Information].ID=Locations.ID AND "
    "[Abstract Information].ID=Qualifications.ID ORDER BY [Abstract Information].ID;";
// Followed by the resume's ID text.
inline constexpr const char* kResumeDetailsQueryPrefix = "SELECT * FROM [Resume] WHERE ID=";

// The tables, by the names the store opens them with.
inline constexpr const char* kAbstractInformationTable = "Abstract Information";
inline constexpr const char* kQualificationsTable = "Qualifications";
inline constexpr const char* kSpecializationsTable = "Specializations";
inline constexpr const char* kLocationsTable = "Locations";
inline constexpr const char* kResumeTable = "Resume";
inline constexpr const char* kComboDataTable = "ComboData";

inline constexpr const char* kDatabaseFileName = "TalvanorData.mdb";
