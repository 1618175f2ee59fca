#include "search/SearchDialog.h"
#include "tests/search/SearchFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

constexpr int kName = 1010, kQualification = 1012, kSpecialization = 1011, kExperience = 1013,
              kLocation = 1004, kEmail = 1015, kOrganization = 1017, kSearch = 1016, kReset = 1014;
constexpr int kStatuses[] = {1051, 1052, 1053, 1054};
constexpr const char* kPrefix =
    "SELECT * FROM [Abstract Information],Qualifications,Specializations,Locations WHERE "
    "[Abstract Information].ID=Specializations.ID AND [Abstract Information].ID=Locations.ID AND "
    "[Abstract Information].ID=Qualifications.ID AND ";

QLineEdit* Box(QDialog& form, int id) {
    return FindControl<QLineEdit>(&form, id);
}
QComboBox* List(QDialog& form, int id) {
    return FindControl<QComboBox>(&form, id);
}
std::vector<std::string> Items(QDialog& form, int id) {
    std::vector<std::string> items;
    for (int index = 0; index < List(form, id)->count(); ++index)
        items.push_back(List(form, id)->itemText(index).toStdString());
    return items;
}
void Choose(QDialog& form, int id, const char* item) {
    QComboBox* list = List(form, id);
    const int index = list->findText(QString::fromUtf8(item));
    ASSERT_GE(index, 0) << item;
    list->setCurrentIndex(index);
}

// Runs Search and gives the query it handed to the result window.
std::string Search(SearchDialog& form) {
    g_resultQuery.clear();
    Click(form, kSearch);
    return g_resultQuery;
}

class SearchForm : public SearchTest {
protected:
    void SetUp() override {
        SearchTest::SetUp();
        ExecuteSql("UPDATE ComboData SET List='mba ,B.E. , ,MCA,  Ph.D.  ,' WHERE ID=1");
        ExecuteSql("UPDATE ComboData SET List='JAVA ,c/c++ ,ERP' WHERE ID=2");
        ExecuteSql("UPDATE ComboData SET List='Pune ,Delhi ,anywhere' WHERE ID=3");
    }
};

TEST_F(SearchForm, OpensWithSortedPickListsTheBandsInOrderAndNothingChosen) {
    SearchDialog form(nullptr);
    EXPECT_EQ(form.windowTitle(), "Search The Resume");
    EXPECT_EQ(Items(form, kQualification), (Texts{"B.E.", "mba", "MCA", "Ph.D."}));
    EXPECT_EQ(Items(form, kSpecialization), (Texts{"c/c++", "ERP", "JAVA"}));
    EXPECT_EQ(Items(form, kLocation), (Texts{"anywhere", "Delhi", "Pune"}));
    EXPECT_EQ(Items(form, kExperience), (Texts{"0-1", "1-2", "2-5", "5-7", "7-10", "10-15", "More than 15"}));
    for (int id : {kQualification, kSpecialization, kExperience, kLocation}) {
        EXPECT_EQ(List(form, id)->currentIndex(), -1) << id;
        EXPECT_FALSE(List(form, id)->isEditable()) << id;
    }
    for (int id : kStatuses)
        EXPECT_FALSE(FindControl<QRadioButton>(&form, id)->isChecked()) << id;
    for (int id : {kName, kEmail, kOrganization})
        EXPECT_EQ(Box(form, id)->maxLength(), 255);
    EXPECT_EQ(FindControl<QRadioButton>(&form, 1051)->text(), "&Active For Proccesing ");
    EXPECT_TRUE(FindControl<QPushButton>(&form, kSearch)->isDefault());

    // Keywords come last among the criteria, under Organization; the described ones keep their order.
    auto* keywords = Box(form, 2001);
    ASSERT_NE(keywords, nullptr);
    EXPECT_EQ(keywords->maxLength(), 1000);
    for (const char* syntax : {"\"an exact phrase\"", "OR", "NOT", "-intern", "(java OR kotlin)", "develop*"})
        EXPECT_TRUE(keywords->toolTip().contains(QString::fromUtf8(syntax))) << syntax;
    EXPECT_TRUE(Box(form, 1010)->toolTip().contains("Keywords find part of a name"));
    const auto* rows = qobject_cast<QFormLayout*>(keywords->parentWidget()->layout()->itemAt(1)->layout());
    ASSERT_NE(rows, nullptr);
    std::vector<std::pair<std::string, int>> criteria;
    for (int row = 0; row < rows->rowCount(); ++row) {
        const auto* label = qobject_cast<QLabel*>(rows->itemAt(row, QFormLayout::LabelRole)->widget());
        criteria.emplace_back(label->text().toStdString(),
                              ControlIdOf(rows->itemAt(row, QFormLayout::FieldRole)->widget()));
        EXPECT_EQ(label->buddy(), rows->itemAt(row, QFormLayout::FieldRole)->widget());
    }
    EXPECT_EQ(criteria, (std::vector<std::pair<std::string, int>>{{"Name", 1010},
                                                                  {"Qualification", 1012},
                                                                  {"Specialization", 1011},
                                                                  {"Experience", 1013},
                                                                  {"Location Prefrence", 1004},
                                                                  {"Email", 1015},
                                                                  {"Organization", 1017},
                                                                  {"&Keywords", 2001}}));
    const auto nextTabStop = [](QWidget* widget) {
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus));
        return widget;
    };
    EXPECT_EQ(nextTabStop(Box(form, kOrganization)), keywords);
    EXPECT_EQ(nextTabStop(keywords), FindControl<QRadioButton>(&form, 1051));
}

TEST_F(SearchForm, BuildsOneQuotedConditionPerCriterionInTheFixedOrder) {
    SearchDialog form(nullptr);
    // Only a status: its condition follows the prefix directly.
    FindControl<QRadioButton>(&form, 1052)->setChecked(true);
    EXPECT_EQ(Search(form), std::string(kPrefix) + "Status='Hold'ORDER BY [Abstract Information].ID;");

    // Name and location, though they are not neighbours on the form; the name is trimmed.
    Click(form, kReset);
    Box(form, kName)->setText("  Asha  Rao ");
    Choose(form, kLocation, "Delhi");
    EXPECT_EQ(Search(form), std::string(kPrefix) +
                                "Name='Asha  Rao' AND Location='Delhi'ORDER BY [Abstract Information].ID;");

    // All eight, with the active status read from its caption.
    Choose(form, kQualification, "MCA");
    Choose(form, kSpecialization, "c/c++");
    Choose(form, kExperience, "More than 15");
    Box(form, kEmail)->setText(" a@b ");
    Box(form, kOrganization)->setText("O'Neil & Sons");
    FindControl<QRadioButton>(&form, 1051)->setChecked(true);
    EXPECT_EQ(Search(form), std::string(kPrefix) +
                                "Name='Asha  Rao' AND Specialization='c/c++' AND Qualification='MCA' AND "
                                "Experience='More than 15' AND Email='a@b' AND Location='Delhi' AND "
                                "Organization='O''Neil & Sons' AND Status='Active For Proccesing'"
                                "ORDER BY [Abstract Information].ID;");
    // Each search found nothing and said so; the form stays with its inputs for the next one.
    EXPECT_EQ(messages.Texts(),
              (Texts{"No record found to show", "No record found to show", "No record found to show"}));
    EXPECT_EQ(Box(form, kName)->text(), "  Asha  Rao ");
    EXPECT_EQ(List(form, kLocation)->currentText(), "Delhi");

    // The organization is trimmed too, and the rejected status is read from its own button.
    Click(form, kReset);
    Box(form, kOrganization)->setText("  Acme  Corp ");
    FindControl<QRadioButton>(&form, 1054)->setChecked(true);
    EXPECT_EQ(Search(form),
              std::string(kPrefix) +
                  "Organization='Acme  Corp' AND Status='Rejected'ORDER BY [Abstract Information].ID;");
}

TEST_F(SearchForm, SaysSoWhenNoCriterionIsGivenAndResetClearsEveryOne) {
    SearchDialog form(nullptr);
    // Blanks alone are no criterion, in any of the three boxes.
    Box(form, kName)->setText("   ");
    Box(form, kEmail)->setText(" \t ");
    Box(form, kOrganization)->setText("  ");
    g_resultQuery = "earlier";
    Click(form, kSearch);
    EXPECT_EQ(messages.Texts(), (Texts{"Search Criteria not specified"}));
    EXPECT_EQ(g_resultQuery, "earlier");

    Box(form, kName)->setText("x");
    Box(form, kEmail)->setText("x@y");
    Box(form, kOrganization)->setText("x");
    Box(form, 2001)->setText("java");
    for (int id : {kQualification, kSpecialization, kExperience, kLocation})
        List(form, id)->setCurrentIndex(1);
    FindControl<QRadioButton>(&form, 1053)->setChecked(true);
    Click(form, kReset);
    for (int id : {kName, kEmail, kOrganization, 2001})
        EXPECT_TRUE(Box(form, id)->text().isEmpty()) << id;
    for (int id : {kQualification, kSpecialization, kExperience, kLocation})
        EXPECT_EQ(List(form, id)->currentIndex(), -1) << id;
    for (int id : kStatuses)
        EXPECT_FALSE(FindControl<QRadioButton>(&form, id)->isChecked()) << id;
}

TEST_F(SearchForm, ChecksTheEmailAddressAndPutsTheFocusBackOnIt) {
    SearchDialog form(nullptr);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (const char* accepted : {"a@b", "a@b@c", " x.y@example.com "}) {
        messages.Clear();
        Box(form, kEmail)->setText(QString::fromUtf8(accepted));
        EXPECT_NE(Search(form), "") << accepted;
        EXPECT_EQ(messages.Texts(), (Texts{"No record found to show"})) << accepted;
    }
    for (const char* refused : {"@ab", "ab@", "ab", "a b@c", "a@b c", "@"}) {
        messages.Clear();
        Box(form, kName)->setFocus();
        Box(form, kEmail)->setText(QString::fromUtf8(refused));
        EXPECT_EQ(Search(form), "") << refused;
        EXPECT_EQ(messages.Texts(), (Texts{"Invalid Email Address"})) << refused;
        EXPECT_EQ(QApplication::focusWidget(), Box(form, kEmail)) << refused;
    }
}

TEST_F(SearchForm, SearchesForHostileTextsLiterallyAndLeavesTheBankAsItWas) {
    const std::vector<std::string> names = {"O'Brien",
                                            "Say \"hi\"",
                                            "100%",
                                            "a_b",
                                            "x; DROP TABLE Resume",
                                            "-- rest",
                                            "' OR '1'='1",
                                            "Name",
                                            "Bob'); DELETE FROM Resume;--"};
    for (const std::string& name : names) {
        BankResume resume;
        resume.name = name;
        AddResume(resume);
    }
    BankResume plain;
    plain.name = "ab";
    AddResume(plain);
    const Rows before = QueryRows("SELECT * FROM [Abstract Information] ORDER BY ID");

    SearchDialog form(nullptr);
    for (const std::string& name : names) {
        messages.Clear();
        Box(form, kName)->setText(QString::fromStdString(name));
        std::vector<std::string> found;
        DialogScript script;
        script.Then([&found](QDialog& results) {
            for (const auto& row : DataRows(GridOf(results)))
                found.push_back(row.at(1));
            Click(results, 2);
        });
        Click(form, kSearch);
        EXPECT_EQ(found, (Texts{name})) << name;
        EXPECT_TRUE(messages.Texts().empty()) << name;
    }
    EXPECT_EQ(QueryRows("SELECT * FROM [Abstract Information] ORDER BY ID"), before);
    EXPECT_EQ(Count("Resume"), static_cast<int>(names.size()) + 1);
}

TEST_F(SearchForm, FindsOnlyResumesMatchingEveryCriterion) {
    BankResume held;
    held.locations = {"Pune", "Delhi"};
    AddResume(held);
    BankResume selected = held;
    selected.status = "Selected";
    AddResume(selected);
    BankResume elsewhere = held;
    elsewhere.locations = {"Chennai"};
    AddResume(elsewhere);

    SearchDialog form(nullptr);
    Choose(form, kLocation, "Delhi");
    FindControl<QRadioButton>(&form, 1052)->setChecked(true);
    std::vector<std::string> ids;
    DialogScript script;
    script.Then([&ids](QDialog& results) {
        for (const auto& row : DataRows(GridOf(results)))
            ids.push_back(row.at(0) + " " + row.at(8));
        Click(results, 2);
    });
    Click(form, kSearch);
    // The condition picks the joined rows; the row still shows every location of the resume.
    EXPECT_EQ(ids, (Texts{"1 Delhi"}));
}

// A search names one value of a list, so the grid shows only that one; Edit must still hand
// the form every stored value, or an unchanged Ok deletes the others.
TEST_F(SearchForm, EditAfterASearchOnAListKeepsEveryStoredValueOfEachList) {
    BankResume resume;
    resume.qualifications = {"MCA", "B.E."};
    resume.specializations = {"JAVA", "ERP"};
    resume.locations = {"Pune", "Delhi"};
    const char* const listRows = "SELECT 'Q',Qualification FROM Qualifications UNION ALL "
                                 "SELECT 'S',Specialization FROM Specializations UNION ALL "
                                 "SELECT 'L',Location FROM Locations ORDER BY 1,2";
    const struct {
        int list;
        const char* value;
        int shownColumn;
        int chooser;
        Texts preselected;
    } searches[] = {{kQualification, "B.E.", 6, 1060, {"MCA", "B.E."}}, // selected from the right end
                    {kSpecialization, "ERP", 7, 1061, {"JAVA", "ERP"}},
                    {kLocation, "Delhi", 8, 1062, {"Pune", "Delhi"}}};
    for (const auto& search : searches) {
        for (const char* table :
             {"[Abstract Information]", "Qualifications", "Specializations", "Locations", "Resume"})
            ExecuteSql(std::string("DELETE FROM ") + table);
        AddResume(resume);
        const Rows listsBefore = QueryRows(listRows);
        SearchDialog form(nullptr);
        Choose(form, search.list, search.value);
        std::string shown;
        Texts selected;
        DialogScript script;
        script.Then([&](QDialog& results) {
            shown = DataRows(GridOf(results)).at(0).at(search.shownColumn);
            Click(results, 1028);
            Click(results, 2);
        });
        script.Then([&](QDialog& editForm) {
            // Every stored value, from the last row to the first: written from the right end,
            // the text stores them again as they were.
            EXPECT_EQ(EditedResume.qualifications, "B.E.,MCA");
            EXPECT_EQ(EditedResume.specializations, "ERP,JAVA");
            EXPECT_EQ(EditedResume.locations, "Delhi,Pune");
            Click(editForm, search.chooser);
            Click(editForm, 1021);
        });
        script.Then([&](QDialog& chooser) {
            for (QListWidgetItem* item : FindControl<QListWidget>(&chooser, 1060)->selectedItems())
                selected.push_back(item->text().toStdString());
            chooser.reject();
        });
        Click(form, kSearch);
        EXPECT_TRUE(script.AllDone()) << search.value;
        EXPECT_EQ(shown, search.value); // the grid shows what the query matched
        EXPECT_EQ(selected, search.preselected) << search.value;
        // The rewrite may store a list's rows in another order, but never fewer of them.
        EXPECT_EQ(QueryRows(listRows), listsBefore) << search.value;
    }
    EXPECT_TRUE(messages.Texts().empty());
}

} // namespace
