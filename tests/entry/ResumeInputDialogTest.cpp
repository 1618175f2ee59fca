#include "entry/ResumeInputDialog.h"
#include "entry/EntryRules.h"
#include "entry/ValueListDialog.h"
#include "platform/Beep.h"
#include "tests/entry/EntryFixture.h"
#include "tests/util/DialogScript.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

namespace {

constexpr int kName = 1019, kEmail = 1034, kOrganization = 1036, kExperience = 1031, kDetails = 1024;
constexpr int kQualificationButton = 1060, kSpecializationButton = 1061;
constexpr int kActive = 1046, kHold = 1047, kSelected = 1048, kSubmit = 1021, kClear = 1017, kClose = 1020;

QLineEdit* Box(QDialog& form, int id) {
    return FindControl<QLineEdit>(&form, id);
}

bool Checked(QDialog& form, int id) {
    return FindControl<QRadioButton>(&form, id)->isChecked();
}

// Opens the choice for one list from the form and picks the given items in it.
void Choose(QDialog& form, int button, DialogScript& script, std::vector<QString> items) {
    script.Then([items](QDialog& choice) {
        auto* list = FindControl<QListWidget>(&choice, 1060);
        for (const QString& item : items)
            list->findItems(item, Qt::MatchExactly).at(0)->setSelected(true);
        Click(choice, 1062);
    });
    Click(form, button);
}

std::string LastId() {
    return QueryRows("SELECT max(ID) FROM [Abstract Information]").at(0).at(0);
}

using ResumeInputNew = EntryTest;
using ResumeInputEdit = EntryTest;

TEST_F(ResumeInputNew, SubmitStopsAtEachCheckInOrderThenStoresAndResets) {
    SetPickList(PickListKind::Qualifications, "MBA ,BCA");
    DialogScript script;
    ResumeInputDialog form(nullptr);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(form.windowTitle(), "Resume Input Form");
    EXPECT_TRUE(Checked(form, kActive));
    EXPECT_EQ(FindControl<QComboBox>(&form, kExperience)->currentIndex(), -1);
    EXPECT_EQ(FindControl<QPushButton>(&form, 1062)->text(), "&Location Prefrence(s)");

    Box(form, kName)->setText("   ");
    FindControl<QWidget>(&form, kDetails)->setFocus();
    Click(form, kSubmit);
    EXPECT_TRUE(Box(form, kName)->text().isEmpty()) << "blanks only count as empty and are removed";
    EXPECT_EQ(form.focusWidget(), Box(form, kName));

    Box(form, kName)->setText("  Asha Rao ");
    FindControl<QWidget>(&form, kSubmit)->setFocus();
    QTest::keyClick(form.focusWidget(), Qt::Key_Return); // Enter presses the focused button
    EXPECT_EQ(form.focusWidget(), FindControl<QWidget>(&form, kQualificationButton));
    EXPECT_EQ(messages.Texts(),
              (Texts{"Please fill the mandatory fields", "Please fill the mandatory fields"}));
    EXPECT_TRUE(SelectedValueLists.specializations.empty()) << "defaults come only after the mandatory test";

    Choose(form, kQualificationButton, script, {"MBA", "BCA"});
    EXPECT_EQ(SelectedValueLists.qualifications, "BCA,MBA,");
    Box(form, kEmail)->setText("asha rao@mail.in");
    Click(form, kSubmit);
    EXPECT_EQ(messages.Texts().back(), "Invalid Email Address");
    EXPECT_EQ(form.focusWidget(), Box(form, kEmail));
    EXPECT_EQ(SelectedValueLists.specializations, "Not Specified");
    EXPECT_EQ(SelectedValueLists.locations, "Not Specified");
    EXPECT_TRUE(QueryRows("SELECT * FROM [Abstract Information]").empty());

    Box(form, kEmail)->setText(" asha@mail.in ");
    Box(form, kOrganization)->setText(" Acme \"Tools\", Pune ");
    FindControl<QComboBox>(&form, kExperience)->setCurrentIndex(2);
    FindControl<QRadioButton>(&form, kHold)->setChecked(true);
    auto* details = FindControl<QPlainTextEdit>(&form, kDetails);
    details->setPlainText("\n  Ten years of audits.\n\n");
    details->setFocus();
    QTest::keyClick(details, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(details->toPlainText(), "\t\n  Ten years of audits.\n\n") << "Ctrl+Tab types a tab";
    QTest::keyClick(details, Qt::Key_Tab);
    EXPECT_NE(form.focusWidget(), details) << "Tab moves on";
    QTest::keyClick(Box(form, kEmail), Qt::Key_Return);
    EXPECT_TRUE(QueryRows("SELECT * FROM [Abstract Information]").empty()) << "Enter in a box stores nothing";
    messages.Clear();
    Click(form, kSubmit);
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_TRUE(form.isVisible()) << "new mode stays open for the next resume";
    EXPECT_EQ(form.focusWidget(), Box(form, kName)) << "the next resume is typed at once";

    const std::string id = LastId();
    EXPECT_EQ(QueryRows("SELECT Name,Experience,Email,Organization,Status FROM [Abstract Information]"),
              (Rows{{"Asha Rao", "2-5", "asha@mail.in", "Acme \"Tools\", Pune", "Hold"}}));
    EXPECT_EQ(ListRows("Qualifications", "Qualification", id), (Texts{"MBA", "BCA"}));
    EXPECT_EQ(ListRows("Specializations", "Specialization", id), Texts{"Not Specified"});
    EXPECT_EQ(ListRows("Locations", "Location", id), Texts{"Not Specified"});
    EXPECT_EQ(QueryRows("SELECT Details FROM Resume WHERE ID=" + id), (Rows{{"Ten years of audits."}}));

    EXPECT_TRUE(Box(form, kName)->text().isEmpty());
    EXPECT_TRUE(Box(form, kEmail)->text().isEmpty());
    EXPECT_TRUE(Box(form, kOrganization)->text().isEmpty());
    EXPECT_TRUE(details->toPlainText().isEmpty());
    EXPECT_EQ(FindControl<QComboBox>(&form, kExperience)->currentIndex(), -1);
    EXPECT_TRUE(Checked(form, kActive));
    EXPECT_TRUE(SelectedValueLists.AllEmpty());

    Box(form, kName)->setText("Second");
    Click(form, kSubmit);
    EXPECT_EQ(messages.Texts(), Texts{"Please fill the mandatory fields"});
    EXPECT_TRUE(script.AllDone());
}

TEST_F(ResumeInputNew, EmptyChoicesAndUnchosenBandStoreTheirStandIns) {
    SelectedValueLists.qualifications = "B.Sc.,";
    ResumeInputDialog form(nullptr);
    Box(form, kName)->setText("Zoë \"Zed\" O'Neil, Jr.");
    Click(form, kSubmit);
    EXPECT_TRUE(messages.Texts().empty());
    const std::string id = LastId();
    EXPECT_EQ(QueryRows("SELECT Name,Experience,Email,Organization,Status FROM [Abstract Information]"),
              (Rows{{"Zoë \"Zed\" O'Neil, Jr.", "", "", "", "Active For Proccesing"}}));
    EXPECT_EQ(ListRows("Qualifications", "Qualification", id), (Texts{"B.Sc."}));
    EXPECT_EQ(ListRows("Locations", "Location", id), Texts{"Not Specified"});
}

TEST(EmailRule, AcceptsOnlyAnAtWithTextOnBothSidesAndNoBlank) {
    for (const char* good : {"a@b", "a@@", "first.last@mail.example.in"})
        EXPECT_TRUE(IsAcceptableEmail(good)) << good;
    for (const char* bad : {"@b", "a@", "a b@c", "abc", "a@b c"})
        EXPECT_FALSE(IsAcceptableEmail(bad)) << bad;
}

TEST_F(ResumeInputNew, ClearAsksAboutTheChoicesAndCloseForgetsThem) {
    ResumeInputDialog form(nullptr);
    form.show();
    Box(form, kName)->setText("Asha");
    Box(form, kEmail)->setText("a@b");
    Box(form, kOrganization)->setText("Acme");
    FindControl<QRadioButton>(&form, kSelected)->setChecked(true);
    SelectedValueLists.qualifications = "MBA,";
    messages.AnswerNext(MessageAnswer::No);
    Click(form, kClear);
    EXPECT_TRUE(Box(form, kName)->text().isEmpty());
    EXPECT_TRUE(Box(form, kEmail)->text().isEmpty());
    EXPECT_TRUE(Box(form, kOrganization)->text().isEmpty());
    EXPECT_TRUE(Checked(form, kActive));
    EXPECT_EQ(SelectedValueLists.qualifications, "MBA,");
    messages.AnswerNext(MessageAnswer::Yes);
    Click(form, kClear);
    EXPECT_TRUE(SelectedValueLists.AllEmpty());
    const std::string question = "Would you  like to clear the selected values( If Any ) for "
                                 "Qualification,Specialization and Location Preferences also ?";
    EXPECT_EQ(messages.Texts(), (Texts{question, question}));
    EXPECT_EQ(messages.Requests().at(0).buttons, MessageButtons::YesNo);

    SelectedValueLists.locations = "Pune,";
    Click(form, kClose);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(SelectedValueLists.AllEmpty());
    EXPECT_TRUE(QueryRows("SELECT * FROM [Abstract Information]").empty());
}

TEST_F(ResumeInputNew, TypingOrPastingPastTheLimitBeepsAndKeepsWhatFits) {
    std::vector<std::pair<unsigned, unsigned>> beeps;
    const BeepObserver previous =
        SetBeepObserver([&](unsigned hz, unsigned ms) { beeps.emplace_back(hz, ms); });
    ResumeInputDialog form(nullptr);
    QLineEdit* email = Box(form, kEmail);
    QTest::keyClicks(email, QString(254, u'x'));
    EXPECT_TRUE(beeps.empty());
    QTest::keyClicks(email, "yz");
    EXPECT_EQ(email->text().size(), 255);
    EXPECT_EQ(beeps, (std::vector<std::pair<unsigned, unsigned>>{{150, 600}}));

    QLineEdit* name = Box(form, kName);
    QApplication::clipboard()->setText(QString(300, u'n'));
    QTest::keySequence(name, QKeySequence::Paste);
    EXPECT_EQ(name->text().size(), 255);
    EXPECT_EQ(beeps.size(), 2u);

    QLineEdit* organization = Box(form, kOrganization);
    organization->paste(); // the box's own right-click Paste
    EXPECT_EQ(organization->text().size(), 255);
    EXPECT_EQ(beeps.size(), 3u);
    SetBeepObserver(previous);
}

TEST_F(ResumeInputNew, EngineErrorIsShownAndTheFormKeepsItsContents) {
    SelectedValueLists.qualifications = "MBA,";
    ResumeInputDialog form(nullptr);
    form.show();
    Box(form, kName)->setText("Asha");
    std::filesystem::remove(BankPath());
    Click(form, kSubmit);
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(Box(form, kName)->text(), "Asha");
    EXPECT_EQ(SelectedValueLists.qualifications, "MBA,");
    EXPECT_EQ(SelectedValueLists.locations, "Not Specified");
}

class ResumeInputEditing : public EntryTest {
protected:
    // One stored resume, handed over as the result window does.
    void HandOver(const std::string& experience, const std::string& status, const std::string& fullText) {
        SelectedValueLists.qualifications = "MCA,BCA,";
        ResumeInputDialog form(nullptr);
        Box(form, kName)->setText("Ravi");
        Click(form, kSubmit);
        ASSERT_TRUE(messages.Texts().empty());
        if (!fullText.empty())
            ExecuteSql("UPDATE Resume SET Details=x'" + Hex(fullText) + "'");
        EditedResume =
            ResumeHandOver{LastId(),   "Ravi",           experience, "ravi@old.in", "Old Org", status,
                           "MCA,BCA,", "Not Specified,", "Pune,",    fullText,      true,      false};
    }

    static std::string Hex(const std::string& bytes) {
        static const char* digits = "0123456789abcdef";
        std::string hex;
        for (unsigned char byte : bytes) {
            hex += digits[byte >> 4];
            hex += digits[byte & 15];
        }
        return hex;
    }
};

TEST_F(ResumeInputEditing, OpensFilledAndOkRewritesTheResumeAndCloses) {
    SetPickList(PickListKind::Qualifications, "MCA ,BCA ,MBA");
    HandOver("MORE than", "Selected", "Old text");
    DialogScript script;
    ResumeInputDialog form(nullptr);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Edit Your Resume");
    EXPECT_EQ(FindControl<QPushButton>(&form, kSubmit)->text(), "&Ok");
    EXPECT_EQ(FindControl<QPushButton>(&form, kClose)->text(), "&Cancel");
    EXPECT_FALSE(Box(form, kName)->isEnabled());
    EXPECT_EQ(FindControl<QComboBox>(&form, kExperience)->currentText(), "More than 15");
    EXPECT_TRUE(Checked(form, kSelected));
    EXPECT_EQ(Box(form, kOrganization)->text(), "Old Org");
    EXPECT_EQ(SelectedValueLists.locations, "Pune,");

    script.Then([](QDialog& choice) {
        auto* list = FindControl<QListWidget>(&choice, 1060);
        EXPECT_EQ(SelectedItems(list), (Texts{"BCA", "MCA"}));
        list->findItems("BCA", Qt::MatchExactly).at(0)->setSelected(false);
        Click(choice, 1062);
    });
    Click(form, kQualificationButton);
    Box(form, kEmail)->setText("ravi@new.in");
    Click(form, kSubmit);

    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(EditedResume.changed);
    EXPECT_FALSE(EditedResume.editing);
    EXPECT_TRUE(SelectedValueLists.AllEmpty());
    const std::string id = EditedResume.id;
    EXPECT_EQ(QueryRows("SELECT Name,Experience,Email,Organization,Status FROM [Abstract Information]"),
              (Rows{{"Ravi", "More than 15", "ravi@new.in", "Old Org", "Selected"}}));
    EXPECT_EQ(ListRows("Qualifications", "Qualification", id), Texts{"MCA"});
    EXPECT_EQ(ListRows("Locations", "Location", id), Texts{"Pune"});
    EXPECT_EQ(QueryRows("SELECT Details FROM Resume WHERE ID=" + id), (Rows{{"Old text"}}));
}

TEST_F(ResumeInputEditing, UnmatchedBandClearKeepsNameAndStatusCancelWritesNothing) {
    HandOver("Not Specified", "Hold", "Old text");
    const Rows before = QueryRows("SELECT * FROM [Abstract Information]");
    ResumeInputDialog form(nullptr);
    form.show();
    EXPECT_EQ(FindControl<QComboBox>(&form, kExperience)->currentIndex(), -1);
    EXPECT_TRUE(Checked(form, kHold));
    messages.AnswerNext(MessageAnswer::No);
    Click(form, kClear);
    EXPECT_EQ(Box(form, kName)->text(), "Ravi");
    EXPECT_TRUE(Checked(form, kHold));
    EXPECT_TRUE(Box(form, kEmail)->text().isEmpty());
    EXPECT_EQ(SelectedValueLists.qualifications, "MCA,BCA,");

    Click(form, kClose);
    EXPECT_FALSE(EditedResume.editing);
    EXPECT_FALSE(EditedResume.changed);
    EXPECT_TRUE(SelectedValueLists.AllEmpty());
    EXPECT_EQ(QueryRows("SELECT * FROM [Abstract Information]"), before);

    // The next "Manually" opens in new mode with nothing chosen.
    ResumeInputDialog next(nullptr);
    EXPECT_EQ(next.windowTitle(), "Resume Input Form");
    EXPECT_TRUE(Box(next, kName)->isEnabled());
}

TEST_F(ResumeInputEditing, UntouchedValuesKeepTheirBytesAndLength) {
    const std::string latin1 = "Jos\xe9 M\xfcller, r\xe9sum\xe9";
    HandOver("2-5", "Rejected", latin1);
    EditedResume.organization =
        "Caf\xe9 AG " + std::string(300, 'o'); // longer than the box takes from the keyboard
    ExecuteSql("UPDATE [Abstract Information] SET Organization=x'" + Hex(EditedResume.organization) + "'");
    ResumeInputDialog form(nullptr);
    Box(form, kEmail)->setText("ravi@new.in");
    Click(form, kSubmit);
    ASSERT_TRUE(EditedResume.changed);
    const std::string id = EditedResume.id;
    EXPECT_EQ(QueryRows("SELECT hex(Details) FROM Resume WHERE ID=" + id).at(0).at(0),
              QString::fromStdString(Hex(latin1)).toUpper().toStdString());
    EXPECT_EQ(QueryRows("SELECT Organization,Status FROM [Abstract Information]"),
              (Rows{{EditedResume.organization, "Rejected"}}));
}

TEST_F(ResumeInputEditing, AFailedRewriteKeepsTheFormInEditMode) {
    HandOver("2-5", "Hold", "Old text");
    ExecuteSql("DELETE FROM [Abstract Information]");
    ResumeInputDialog form(nullptr);
    form.show();
    Box(form, kEmail)->setText("ravi@new.in");
    Click(form, kSubmit);
    EXPECT_EQ(messages.Texts(), (Texts{"record not found", "Unable to Edit in  the database"}));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(EditedResume.editing);
    EXPECT_FALSE(EditedResume.changed);
    EXPECT_EQ(Box(form, kEmail)->text(), "ravi@new.in");
    EXPECT_EQ(QueryRows("SELECT Details FROM Resume"), (Rows{{"Old text"}}));
}

} // namespace
