#include "tools/BankLists.h"
#include "tools/BankSetup.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

TEST(BankLists, ANewBanksListsAndABanksOwn) {
    const PickListTexts defaults = DefaultPickLists();
    EXPECT_EQ(defaults[0],
              "B.A. ,B.Com. ,B.E. ,B.Sc. ,B.Tech. ,BBA ,BCA ,Diploma ,M.A. ,M.B.A. ,M.C.A. ,M.Com. ,M.E. "
              ",M.Sc. ,M.Tech. ,Ph.D.");
    EXPECT_EQ(defaults[2],
              "Ahmedabad ,Bangalore ,Chennai ,Delhi ,Hyderabad ,Kolkata ,Mumbai ,Noida ,Pune ,Gurgaon "
              ",Anywhere in India ,Overseas");

    QTemporaryDir folder;
    const std::string bank = folder.filePath(QStringLiteral("TalvanorData.mdb")).toStdString();
    std::string problem;
    // No bank: nothing, and nothing wrong.
    EXPECT_FALSE(BankPickLists(bank, problem));
    EXPECT_EQ(problem, "");

    CreateBank(bank);
    sqlite3* db = nullptr;
    sqlite3_open(bank.c_str(), &db);
    sqlite3_exec(db, "UPDATE ComboData SET List = 'Stockholm ,Malmö' WHERE ID = 3", nullptr, nullptr,
                 nullptr);
    sqlite3_close(db);
    const std::optional<PickListTexts> own = BankPickLists(bank, problem);
    ASSERT_TRUE(own);
    EXPECT_EQ((*own)[0], defaults[0]);
    EXPECT_EQ((*own)[2], "Stockholm ,Malmö");

    // A file that is no bank: nothing, and why.
    const std::string other = folder.filePath(QStringLiteral("other.mdb")).toStdString();
    std::ofstream(other) << "not a database at all, but long enough to be read as one";
    EXPECT_FALSE(BankPickLists(other, problem));
    EXPECT_NE(problem, "");
}

} // namespace
