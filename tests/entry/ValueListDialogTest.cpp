#include "entry/ValueListDialog.h"
#include "tests/entry/EntryFixture.h"
#include "tests/util/DialogScript.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

namespace {

constexpr int kLabel = 1064, kList = 1060, kEdit = 1061, kAdd = 1062, kDelete = 1063, kClose = 3;

QListWidget* List(QDialog& dialog) {
    return FindControl<QListWidget>(&dialog, kList);
}

QPushButton* Button(QDialog& dialog, int id) {
    return FindControl<QPushButton>(&dialog, id);
}

void Select(QDialog& dialog, const QString& text) {
    const auto found = List(dialog)->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    found.front()->setSelected(true);
}

using ValueListChoosing = EntryTest;
using ValueListEditing = EntryTest;

TEST_F(ValueListChoosing, ShowsTheSortedPickListAndWritesTheSelectionInListOrder) {
    SetPickList(PickListKind::Specializations, "  java ,C++ ,  ,Accounts,banking");
    ValueListDialog dialog(nullptr, PickListKind::Specializations, kChoosingMode);
    EXPECT_EQ(dialog.windowTitle(), "Select");
    EXPECT_EQ(FindControl<QLabel>(&dialog, kLabel)->text(), "Specializations:");
    EXPECT_EQ(Button(dialog, kAdd)->text(), "&OK");
    EXPECT_TRUE(Button(dialog, kAdd)->isEnabled());
    EXPECT_EQ(Button(dialog, kDelete)->text(), "&Reset");
    EXPECT_EQ(Button(dialog, kClose)->text(), "&Cancel");
    EXPECT_TRUE(FindControl<QLineEdit>(&dialog, kEdit)->isHidden());
    EXPECT_EQ(Items(List(dialog)), (Texts{"Accounts", "banking", "C++", "java"}));
    EXPECT_TRUE(SelectedItems(List(dialog)).empty());

    QTest::keyClicks(List(dialog), "BA"); // type-ahead finds the item by its beginning, case ignored
    EXPECT_EQ(List(dialog)->currentItem()->text(), "banking");
    Select(dialog, "java");
    Select(dialog, "Accounts");
    Click(dialog, kAdd);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(SelectedValueLists.specializations, "Accounts,banking,java,");
    EXPECT_TRUE(SelectedValueLists.qualifications.empty());
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(ValueListChoosing, ReopeningOutsideEditModeStartsUnselectedCancelKeepsAndEmptyOkClears) {
    SetPickList(PickListKind::Qualifications, "MBA");
    SelectedValueLists.qualifications = "MBA,";
    {
        ValueListDialog dialog(nullptr, PickListKind::Qualifications, kChoosingMode);
        EXPECT_EQ(Items(List(dialog)), Texts{"MBA"});
        EXPECT_TRUE(SelectedItems(List(dialog)).empty());
        Click(dialog, kClose);
        EXPECT_EQ(SelectedValueLists.qualifications, "MBA,");
    }
    {
        ValueListDialog dialog(nullptr, PickListKind::Qualifications, kChoosingMode);
        dialog.reject(); // Escape
        EXPECT_EQ(SelectedValueLists.qualifications, "MBA,");
    }
    ValueListDialog dialog(nullptr, PickListKind::Qualifications, kChoosingMode);
    Click(dialog, kAdd);
    EXPECT_EQ(SelectedValueLists.qualifications, "");
    EXPECT_EQ(messages.Texts(), Texts{"You have not selected any value for this field"});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ValueListChoosing, ResetEmptiesTheChoiceAtOnceAndCancelDoesNotUndoIt) {
    SetPickList(PickListKind::Locations, "Pune ,Delhi");
    SelectedValueLists.locations = "Pune,";
    ValueListDialog dialog(nullptr, PickListKind::Locations, kChoosingMode);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(FindControl<QLabel>(&dialog, kLabel)->text(), "Location Preferences:");
    EXPECT_FALSE(Button(dialog, kDelete)->isEnabled());
    Select(dialog, "Delhi");
    EXPECT_TRUE(Button(dialog, kDelete)->isEnabled());
    Click(dialog, kDelete);
    EXPECT_TRUE(SelectedItems(List(dialog)).empty());
    EXPECT_FALSE(Button(dialog, kDelete)->isEnabled());
    EXPECT_EQ(SelectedValueLists.locations, "");
    EXPECT_EQ(dialog.focusWidget(), Button(dialog, kClose));
    // Enter presses the focused button, here "&Cancel", as a dialog does; not "&OK".
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(SelectedValueLists.locations, "");
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(ValueListChoosing, EditModePreselectsTheFirstItemEachChosenPieceBegins) {
    SetPickList(PickListKind::Qualifications, "MCA ,MBA ,M.Tech ,BCA");
    EditedResume.editing = true;
    // "mc" begins MCA (case ignored); " BCA" keeps its blank and begins nothing; "PhD" is not
    // there; the leftmost piece "M" selects the first item it begins, which is M.Tech.
    SelectedValueLists.qualifications = "M,PhD, BCA,mc,";
    ValueListDialog dialog(nullptr, PickListKind::Qualifications, kChoosingMode);
    EXPECT_EQ(SelectedItems(List(dialog)), (Texts{"M.Tech", "MCA"}));
    EXPECT_FALSE(Button(dialog, kDelete)->isEnabled());
    Click(dialog, kAdd);
    EXPECT_EQ(SelectedValueLists.qualifications, "M.Tech,MCA,");

    // Values chosen before keep their order among themselves when one is added or removed; a new
    // one comes in list order.
    SetPickList(PickListKind::Locations, "Delhi ,Mumbai ,Pune ,Chennai");
    const struct {
        const char* select;
        const char* deselect;
        const char* choice;
    } changes[] = {{"Mumbai", "", "Pune,Mumbai,Delhi,"},
                   {"Mumbai", "Delhi", "Mumbai,Pune,"},
                   {"Chennai", "", "Chennai,Pune,Delhi,"},
                   {"", "", "Pune,Delhi,"}};
    for (const auto& change : changes) {
        SelectedValueLists.locations = "Pune,Delhi,Pune";
        ValueListDialog locations(nullptr, PickListKind::Locations, kChoosingMode);
        if (*change.select)
            Select(locations, change.select);
        if (*change.deselect)
            List(locations)->findItems(change.deselect, Qt::MatchExactly).front()->setSelected(false);
        Click(locations, kAdd);
        EXPECT_EQ(SelectedValueLists.locations, change.choice) << change.select << change.deselect;
    }
}

TEST_F(ValueListEditing, AddTrimsRefusesCaseDuplicatesAndSavesJoinedByBlankComma) {
    SetPickList(PickListKind::Qualifications, "MBA ,BCA");
    ValueListDialog dialog(nullptr, PickListKind::Qualifications, kListEditingMode);
    EXPECT_EQ(dialog.windowTitle(), "Change");
    EXPECT_EQ(FindControl<QLabel>(&dialog, kLabel)->text(), "Qualifications:");
    EXPECT_EQ(Button(dialog, kAdd)->text(), "&Add");
    EXPECT_EQ(Button(dialog, kClose)->text(), "Close");
    auto* edit = FindControl<QLineEdit>(&dialog, kEdit);
    EXPECT_FALSE(Button(dialog, kAdd)->isEnabled());

    edit->setText("   ");
    EXPECT_TRUE(Button(dialog, kAdd)->isEnabled()); // blanks count as text for the button
    Click(dialog, kAdd);
    EXPECT_EQ(Items(List(dialog)), (Texts{"BCA", "MBA"}));
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_FALSE(Button(dialog, kAdd)->isEnabled());

    edit->setText("mba");
    Click(dialog, kAdd);
    EXPECT_EQ(messages.Texts(), Texts{"Cannot add, Already there"});
    EXPECT_TRUE(edit->text().isEmpty());

    edit->setText("  MBA (Finance) ");
    Click(dialog, kAdd);
    edit->setText("accounts");
    Click(dialog, kAdd);
    EXPECT_EQ(Items(List(dialog)), (Texts{"accounts", "BCA", "MBA", "MBA (Finance)"}));

    Click(dialog, kClose);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(PickList(PickListKind::Qualifications), "accounts ,BCA ,MBA ,MBA (Finance)");
    EXPECT_EQ(PickList(PickListKind::Specializations).empty(), false) << "other rows untouched";
}

TEST_F(ValueListEditing, TypedCommasSeparateValuesSoTheListShowsWhatComesBack) {
    SetPickList(PickListKind::Locations, "Delhi");
    ValueListDialog dialog(nullptr, PickListKind::Locations, kListEditingMode);
    FindControl<QLineEdit>(&dialog, kEdit)->setText("Noida, delhi ,,Gurgaon");
    Click(dialog, kAdd);
    EXPECT_EQ(messages.Texts(), Texts{"Cannot add, Already there"});
    EXPECT_EQ(Items(List(dialog)), (Texts{"Delhi", "Gurgaon", "Noida"}));
    Click(dialog, kClose);

    ValueListDialog reopened(nullptr, PickListKind::Locations, kListEditingMode);
    EXPECT_EQ(Items(List(reopened)), (Texts{"Delhi", "Gurgaon", "Noida"}));
}

TEST_F(ValueListEditing, DeleteRemovesOnlyTheFocusedItemAfterYes) {
    SetPickList(PickListKind::Specializations, "A ,B ,C ,D");
    ValueListDialog dialog(nullptr, PickListKind::Specializations, kListEditingMode);
    QListWidget* list = List(dialog);
    list->setCurrentRow(2); // C has the focus
    Select(dialog, "A");
    EXPECT_TRUE(Button(dialog, kDelete)->isEnabled());

    messages.AnswerNext(MessageAnswer::No);
    Click(dialog, kDelete);
    EXPECT_EQ(Items(list), (Texts{"A", "B", "C", "D"}));

    messages.AnswerNext(MessageAnswer::Yes);
    Click(dialog, kDelete);
    EXPECT_EQ(Items(list), (Texts{"A", "B", "D"}));
    EXPECT_FALSE(Button(dialog, kDelete)->isEnabled());
    EXPECT_EQ(messages.Texts(), (Texts{"Are you sure you want to delete this item?",
                                       "Are you sure you want to delete this item?"}));

    dialog.reject(); // Escape: nothing saved
    EXPECT_EQ(PickList(PickListKind::Specializations), "A ,B ,C ,D");
}

TEST_F(ValueListEditing, EmptyPickListStaysEmptyThroughClose) {
    SetPickList(PickListKind::Locations, " , ");
    ValueListDialog dialog(nullptr, PickListKind::Locations, kListEditingMode);
    EXPECT_EQ(List(dialog)->count(), 0);
    Click(dialog, kClose);
    EXPECT_EQ(PickList(PickListKind::Locations), "");
}

TEST_F(ValueListEditing, AnUnreadableBankShowsTheEngineErrorAndSavesNothing) {
    std::filesystem::remove(BankPath());
    ValueListDialog dialog(nullptr, PickListKind::Qualifications, kListEditingMode);
    dialog.show();
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(List(dialog)->count(), 0);
    FindControl<QLineEdit>(&dialog, kEdit)->setText("MBA");
    Click(dialog, kAdd);
    Click(dialog, kClose);
    EXPECT_EQ(messages.Requests().size(), 2u);
    EXPECT_TRUE(dialog.isVisible()) << "the command ends; the dialog stays for another try or Escape";
    EXPECT_FALSE(std::filesystem::exists(BankPath())) << "the program never creates the bank";
}

} // namespace
