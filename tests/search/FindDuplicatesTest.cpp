#include "search/FindDuplicates.h"
#include "tests/search/SearchFixture.h"

#include <QDialog>

namespace {

using FindDuplicates = SearchTest;

TEST_F(FindDuplicates, GroupsStandTogetherWithWhyAndTheWindowWorksAsAnyResultWindow) {
    BankResume ann;
    ann.name = "Ann Lee";
    ann.email = "Ann@Lee.io";
    const std::string a = AddResume(ann);
    BankResume lone;
    lone.name = "Lone Wolf";
    lone.email = "lone@example.com";
    AddResume(lone);
    BankResume annie = ann;
    annie.name = "Annie Lee";
    annie.email = "ann@lee.IO";
    annie.qualifications = {"B.E.", "M.E."};
    const std::string b = AddResume(annie);

    // No keys yet for resumes written behind the store's back: the window makes them first.
    std::vector<std::vector<std::string>> shown;
    QString title;
    DialogScript script;
    script.Then([&](QDialog& results) {
        title = results.windowTitle();
        shown = DataRows(GridOf(results));
        Click(results, 2);
    });
    RunFindDuplicates(nullptr);
    EXPECT_EQ(title, "Find Duplicates");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].at(0), a);
    EXPECT_EQ(shown[0].at(1), "Ann Lee");
    EXPECT_EQ(shown[1].at(1), "Annie Lee");
    EXPECT_EQ(shown[1].at(6), "B.E.,M.E.");
    for (const auto& row : shown) {
        EXPECT_EQ(row.at(9), "1");
        EXPECT_EQ(row.at(10), "e-mail");
    }
    EXPECT_TRUE(messages.Texts().empty());

    // Without duplicates the window says so and does not open.
    ExecuteSql("DELETE FROM [Abstract Information] WHERE ID=" + b);
    RunFindDuplicates(nullptr);
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"No resumes in the bank share an e-mail, a phone or a name."});
}

} // namespace
