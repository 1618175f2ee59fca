#include "entry/ProposalsPanel.h"
#include "entry/ResumeProposals.h"
#include "entry/TextResumeDialog.h"
#include "entry/ValueListDialog.h"
#include "tests/entry/TextImportFixture.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

constexpr int kUse = 2030;

// A resume whose fields any reader would name alike. Its places come in the pick list's order
// (Pune before Gurgaon), not in the order the value list dialog shows them.
constexpr const char* kClearResume = "Asha Rao\n"
                                     "asha.rao@mail.in | +91 98450 12345\n"
                                     "Gurgaon, Haryana\n"
                                     "\n"
                                     "Summary\n"
                                     "Test engineer, at home in Java and Selenium.\n"
                                     "Willing to relocate to Pune.\n"
                                     "\n"
                                     "Experience\n"
                                     "Senior Test Engineer, Acme Tools Pvt. Ltd.   Jan 2021 - Jun 2024\n"
                                     "Test Engineer, Zen Labs   Jan 2018 - Dec 2020\n"
                                     "\n"
                                     "Education\n"
                                     "M.B.A., Pune University, 2016\n"
                                     "B.E. (Computer Science), 2014\n";

struct Row {
    std::string value;
    std::string origin;
    bool operator==(const Row&) const = default;
};

Row RowOf(QDialog& dialog, ResumeField field) {
    const int index = static_cast<int>(field);
    QWidget* value = FindControl(&dialog, 2021 + index);
    const QString shown = qobject_cast<QLineEdit*>(value) ? qobject_cast<QLineEdit*>(value)->text()
                                                          : qobject_cast<QLabel*>(value)->text();
    return {shown.toStdString(), FindControl<QLabel>(&dialog, 2041 + index)->text().toStdString()};
}

std::vector<Row> Rows8(QDialog& dialog) {
    std::vector<Row> rows;
    for (std::size_t field = 0; field < kResumeFieldCount; ++field)
        rows.push_back(RowOf(dialog, static_cast<ResumeField>(field)));
    return rows;
}

// The marked stretches of the shown text.
std::vector<std::string> Marked(QDialog& dialog) {
    std::vector<std::string> marked;
    for (const QTextEdit::ExtraSelection& mark : FindControl<TaggingEdit>(&dialog, 1000)->extraSelections())
        marked.push_back(mark.cursor.selectedText().toStdString());
    return marked;
}

bool UseEnabled(QDialog& dialog) {
    return FindControl<QPushButton>(&dialog, kUse)->isEnabled();
}

void ClearRow(QDialog& dialog, ResumeField field) {
    FindControl<QToolButton>(&dialog, 2031 + static_cast<int>(field))->click();
}

const std::vector<Row> kProposed = {{"Asha Rao", "proposed"},
                                    {"asha.rao@mail.in", "proposed"},
                                    {"+91 98450 12345", "not stored"},
                                    {"Acme Tools Pvt. Ltd.", "proposed"},
                                    {"5-7", "proposed"},
                                    {"B.E., M.B.A.", "proposed"},
                                    {"JAVA, TESTING", "proposed"},
                                    {"Gurgaon, Pune", "proposed"}};

using TextResumeProposals = TextImport;

// Shown and marked, never applied on their own: with the button unused the dialog does what it
// always did, the nothing-tagged question of Next included.
TEST_F(TextResumeProposals, AreShownAndMarkedButTouchNothingUntilUsed) {
    TextResumeDialog dialog(nullptr, WriteFile("asha.txt", kClearResume));
    dialog.show();
    EXPECT_EQ(Rows8(dialog), kProposed);
    EXPECT_TRUE(UseEnabled(dialog));
    EXPECT_EQ(FindControl<QPushButton>(&dialog, kUse)->text(), "Use &Proposals");
    const std::vector<std::string> marked = Marked(dialog);
    for (const char* found :
         {"Asha Rao", "asha.rao@mail.in", "+91 98450 12345", "Acme Tools Pvt. Ltd.", "Gurgaon"})
        EXPECT_NE(std::find(marked.begin(), marked.end(), found), marked.end())
            << found << " in " << testing::PrintToString(marked);
    const ResumeTags& tags = Edit(dialog)->Tags();
    EXPECT_TRUE(tags.name.empty() && tags.email.empty() && tags.organization.empty() &&
                tags.experience.empty());
    EXPECT_TRUE(SelectedValueLists.AllEmpty());
    EXPECT_FALSE(Edit(dialog)->IsChecked(kTagName));

    messages.AnswerNext(MessageAnswer::No);
    Click(dialog, kNext);
    Click(dialog, kSubmit);
    EXPECT_EQ(messages.Texts(), (Texts{"Are you sure you do not want to save this C.V.?",
                                       "Please enter the Name and the Qualification", "Please select Name"}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(QueryRows("SELECT * FROM [Abstract Information]").empty());
}

// The button (or Ctrl+U) tags every field as the recruiter would have, lists as the value list
// dialog writes them; Submit then stores the resume as always. The phone is shown, not stored.
TEST_F(TextResumeProposals, UseProposalsTagsThemAllAndSubmitStoresThem) {
    TextResumeDialog dialog(nullptr, WriteFile("asha.txt", kClearResume));
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.focusWidget(), Qt::Key_U, Qt::ControlModifier);
    const ResumeTags& tags = Edit(dialog)->Tags();
    EXPECT_EQ(tags.name, "Asha Rao");
    EXPECT_EQ(tags.email, "asha.rao@mail.in");
    EXPECT_EQ(tags.organization, "Acme Tools Pvt. Ltd.");
    EXPECT_EQ(tags.experience, "5-7");
    EXPECT_EQ(SelectedValueLists.qualifications, "B.E.,M.B.A.,");
    EXPECT_EQ(SelectedValueLists.specializations, "JAVA,TESTING,");
    EXPECT_EQ(SelectedValueLists.locations, "Gurgaon,Pune,");
    for (int command :
         std::initializer_list<int>{kTagName, kTagEmail, kTagOrganization, kExperienceCommands[3],
                                    kTagQualification, kTagSpecialization, kTagLocation})
        EXPECT_TRUE(Edit(dialog)->IsChecked(command)) << command;
    EXPECT_FALSE(Edit(dialog)->IsChecked(kExperienceCommands[2]));
    std::vector<Row> applied = kProposed;
    for (Row& row : applied)
        row.origin = row.origin == "proposed" ? "applied" : row.origin;
    EXPECT_EQ(Rows8(dialog), applied);
    EXPECT_FALSE(UseEnabled(dialog)) << "nothing is left to use";

    // The same text the value list dialog gives for the same items chosen by hand.
    DialogScript script;
    const std::string proposed = SelectedValueLists.locations;
    script.Then([](QDialog& choice) {
        auto* list = FindControl<QListWidget>(&choice, 1060);
        EXPECT_EQ(SelectedItems(list), (Texts{"Gurgaon", "Pune"})) << "the choice starts from the proposal";
        Click(choice, 1062);
    });
    Tag(dialog, kTagLocation, {});
    EXPECT_EQ(SelectedValueLists.locations, proposed);
    EXPECT_EQ(RowOf(dialog, ResumeField::Locations), (Row{"Gurgaon, Pune", "applied"}));

    Click(dialog, kSubmit);
    EXPECT_FALSE(dialog.isVisible());
    const Rows stored = QueryRows("SELECT ID,Name,Experience,Email,Organization FROM [Abstract Information]");
    ASSERT_EQ(stored.size(), 1u);
    const std::string id = stored[0][0];
    EXPECT_EQ(stored[0],
              (std::vector<std::string>{id, "Asha Rao", "5-7", "asha.rao@mail.in", "Acme Tools Pvt. Ltd."}));
    EXPECT_EQ(ListRows("Qualifications", "Qualification", id), (Texts{"M.B.A.", "B.E."}));
    EXPECT_EQ(ListRows("Locations", "Location", id), (Texts{"Pune", "Gurgaon"}));
    EXPECT_EQ(messages.Texts(), Texts{});
}

// Tagging by hand replaces a field's value, proposed or not; clearing empties it and sets its
// proposal aside; the marks follow what is still in play.
TEST_F(TextResumeProposals, HandTagsReplaceAndClearedFieldsStayEmpty) {
    DialogScript script;
    TextResumeDialog dialog(nullptr, WriteFile("asha.txt", kClearResume));
    dialog.show();
    Tag(dialog, kTagName, "Rao"); // before the button: the button leaves it alone
    EXPECT_EQ(RowOf(dialog, ResumeField::Name), (Row{"Rao", "tagged"}));
    ClearRow(dialog, ResumeField::Organization); // a proposal set aside before it was used
    EXPECT_EQ(RowOf(dialog, ResumeField::Organization), (Row{"", ""}));
    Click(dialog, kUse);
    EXPECT_EQ(Edit(dialog)->Tags().name, "Rao");
    EXPECT_EQ(Edit(dialog)->Tags().organization, "");
    EXPECT_EQ(RowOf(dialog, ResumeField::Email), (Row{"asha.rao@mail.in", "applied"}));

    Tag(dialog, kTagEmail, "Asha Rao"); // refused by the e-mail rule: the field is empty
    EXPECT_EQ(RowOf(dialog, ResumeField::Email), (Row{"", ""}));
    Tag(dialog, kExperienceCommands[2], {});
    EXPECT_EQ(RowOf(dialog, ResumeField::Experience), (Row{"2-5", "tagged"}));
    EXPECT_FALSE(Edit(dialog)->IsChecked(kExperienceCommands[3]));
    ClearRow(dialog, ResumeField::Specializations);
    EXPECT_EQ(SelectedValueLists.specializations, "");
    EXPECT_FALSE(Edit(dialog)->IsChecked(kTagSpecialization));
    ClearRow(dialog, ResumeField::Experience);
    EXPECT_EQ(Edit(dialog)->Tags().experience, "");
    for (int band : kExperienceCommands)
        EXPECT_FALSE(Edit(dialog)->IsChecked(band));
    // A choice made by hand after a proposal was used.
    script.Then([](QDialog& choice) {
        auto* list = FindControl<QListWidget>(&choice, 1060);
        list->findItems("B.E.", Qt::MatchExactly).at(0)->setSelected(false);
        Click(choice, 1062);
    });
    Tag(dialog, kTagQualification, {});
    EXPECT_EQ(RowOf(dialog, ResumeField::Qualifications), (Row{"M.B.A.", "tagged"}));
    EXPECT_FALSE(UseEnabled(dialog)) << "what was set aside stays aside";

    const std::vector<std::string> marked = Marked(dialog);
    for (const char* gone : {"Asha Rao", "asha.rao@mail.in", "Acme Tools Pvt. Ltd.", "Java"})
        EXPECT_EQ(std::find(marked.begin(), marked.end(), gone), marked.end()) << gone;
    EXPECT_NE(std::find(marked.begin(), marked.end(), "+91 98450 12345"), marked.end());

    Click(dialog, kNext);
    EXPECT_EQ(messages.Texts(), Texts{"Invalid Email Address"});
    const Rows stored = QueryRows("SELECT Name,Experience,Email,Organization FROM [Abstract Information]");
    EXPECT_EQ(stored, (Rows{{"Rao", "", "", ""}}));
    EXPECT_TRUE(script.AllDone());
}

// Where nothing can be proposed the panel is empty and its button greyed; bad input proposes
// without a crash, and an empty pick list proposes none of its items.
TEST_F(TextResumeProposals, NothingToProposeLeavesThePanelEmpty) {
    SetPickList(PickListKind::Qualifications, "");
    SetPickList(PickListKind::Specializations, "C ,VB ,JAVA");
    const struct {
        std::string bytes;
        std::vector<Row> rows;
    } cases[] = {
        {"", std::vector<Row>(8)},
        {"Cv of Mr. X\n\n\n", std::vector<Row>(8)},
        {std::string("\0asha@mail.in\n", 14), std::vector<Row>(8)}, // nothing before the zero byte
        {"Asha Rao\nasha@mail.in\nB.E. in VBA and C# (Java)\n", {}},
    };
    for (const auto& test : cases) {
        TextResumeDialog dialog(nullptr, WriteFile("x.txt", test.bytes));
        if (test.rows.empty()) { // the last: a list item only as a whole word, none from an empty list
            EXPECT_EQ(RowOf(dialog, ResumeField::Qualifications), (Row{"", ""}));
            EXPECT_EQ(RowOf(dialog, ResumeField::Specializations), (Row{"JAVA", "proposed"}));
            continue;
        }
        EXPECT_EQ(Rows8(dialog), test.rows) << test.bytes;
        EXPECT_FALSE(UseEnabled(dialog));
    }
    EXPECT_EQ(messages.Texts(), Texts{});
}

// A range running to "present" counts to the day the file was written, not to today: a resume
// read years later gains no years.
TEST_F(TextResumeProposals, OpenRangesRunToTheDayTheFileWasWritten) {
    const std::string path = WriteFile("old.txt", "Asha Rao\nasha.rao@mail.in\n\nExperience\n"
                                                  "Test Engineer, Zen Labs   Jan 2016 - Present\n");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2019, 6, 1), QTime(12, 0), Qt::UTC),
                                 QFileDevice::FileModificationTime));
    file.close();
    TextResumeDialog dialog(nullptr, path);
    EXPECT_EQ(RowOf(dialog, ResumeField::Experience), (Row{"2-5", "proposed"}));
}

TEST(ResumeProposalLists, ReadAsTheValueListDialogWritesThem) {
    FieldProposals proposals;
    proposals.locations = {{"Pune ", {10, 4}}, {"gurgaon", {20, 7}}, {"Delhi", {30, 5}}};
    proposals.email = ProposedValue{"a@b.in", {1, 6}};
    const ResumeProposals fields = ForTheDialog(proposals);
    ASSERT_TRUE(fields[static_cast<std::size_t>(ResumeField::Locations)]);
    EXPECT_EQ(fields[static_cast<std::size_t>(ResumeField::Locations)]->value, "Delhi,gurgaon,Pune,");
    EXPECT_EQ(fields[static_cast<std::size_t>(ResumeField::Locations)]->found.size(), 3u);
    EXPECT_EQ(fields[static_cast<std::size_t>(ResumeField::Email)]->value, "a@b.in");
    EXPECT_FALSE(fields[static_cast<std::size_t>(ResumeField::Name)]);
    EXPECT_EQ(ListForDisplay("Delhi,gurgaon,Pune,"), "Delhi, gurgaon, Pune");
    EXPECT_EQ(ListForDisplay(""), "");
}

} // namespace
