#pragma once

#include "entry/EditedResume.h"
#include "entry/SelectedValueLists.h"
#include "search/CMSFlexGrid.h"
#include "search/ResultQuery.h"
#include "tests/util/Bank.h"
#include "tests/util/DialogScript.h"
#include "tests/util/ScriptedMessages.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

// One resume as the tests put it into the bank, one list row per value.
struct BankResume {
    std::string name = "Asha Rao";
    std::string experience = "2-5";
    std::string email = "asha@example.com";
    std::string organization = "Acme";
    std::string status = "Hold";
    std::vector<std::string> qualifications = {"B.E."};
    std::vector<std::string> specializations = {"JAVA"};
    std::vector<std::string> locations = {"Pune"};
    std::string text = "Asha's resume";
};

// A fresh bank and fresh hand-over values for every test.
class SearchTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the rows directly, so tests can also store what the program never would (NULLs).
    static std::string AddResume(const BankResume& resume);
    // Many at once, in one transaction.
    static void AddResumes(const std::vector<BankResume>& resumes);
    static int Count(const std::string& table);

    ScriptedMessages messages;
};

// The All Records query, spelled out as the tests expect it.
inline constexpr const char* kAllRecordsText =
    "SELECT * FROM [Abstract Information],Qualifications,Specializations,Locations WHERE "
    "[Abstract Information].ID=Specializations.ID AND [Abstract Information].ID=Locations.ID AND "
    "[Abstract Information].ID=Qualifications.ID ORDER BY [Abstract Information].ID;";

using Texts = std::vector<std::string>;
using GridRows = std::vector<std::vector<std::string>>;
// Every data row of the grid, columns 0 to 8.
GridRows DataRows(const CMSFlexGrid& grid);
CMSFlexGrid& GridOf(QDialog& window);
