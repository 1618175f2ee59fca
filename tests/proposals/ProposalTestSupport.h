#pragma once

#include "proposals/FieldProposals.h"

#include <string>
#include <vector>

// The default pick lists of a new bank, spelled out here as the tests expect them.
inline constexpr const char* kQualificationList =
    "B.A. ,B.Com. ,B.E. ,B.Sc. ,B.Tech. ,BBA ,BCA ,Diploma ,M.A. ,M.B.A. ,M.C.A. ,M.Com. ,M.E. ,M.Sc. "
    ",M.Tech. ,Ph.D.";
inline constexpr const char* kSpecializationList =
    "AS/400 ,C/C++ ,CGI/ISAPI/PERL ,EDP ,ERP ,JAVA ,NETWORKING ,ORACLE DBA ,ORACLE DEV/DES ,POWER BUILDER "
    ",SYBASE DBA "
    ",TESTING ,UNIX ADMINISTRATORS ,VC++ ,VISUAL BASIC ,WEB DESIGN";
inline constexpr const char* kLocationList = "Ahmedabad ,Bangalore ,Chennai ,Delhi ,Hyderabad ,Kolkata "
                                             ",Mumbai ,Noida ,Pune ,Gurgaon ,Anywhere in India ,Overseas";

// Proposes the fields of `text` against the default lists, dated 15 May 2024.
FieldProposals Propose(const std::string& text, bool dated = true);

// A proposed value as text ("" for none); a list as its items joined by ",".
std::string ValueOf(const std::optional<ProposedValue>& value);
std::string ValuesOf(const std::vector<ProposedValue>& values);
// The text a proposal was found at.
std::string FoundIn(const std::string& text, const std::optional<ProposedValue>& value);
