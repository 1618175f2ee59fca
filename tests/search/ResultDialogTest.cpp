#include "search/ResultDialog.h"
#include "entry/ResumeInputDialog.h"
#include "platform/FileChooser.h"
#include "search/GridCsvExport.h"
#include "store/ResumeStore.h"
#include "store/Sqlite.h"
#include "tests/search/SearchFixture.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <limits>

namespace {

constexpr int kStatusLine = 1018, kDetails = 1, kEdit = 1028, kDelete = 1025, kSendMail = 1024;
constexpr const char* kAll = kAllRecordsText;

std::string StatusLine(QDialog& window) {
    return FindControl<QLabel>(&window, kStatusLine)->text().toStdString();
}

bool SendMailEnabled(QDialog& window) {
    return FindControl<QPushButton>(&window, kSendMail)->isEnabled();
}

void ClickRow(CMSFlexGrid& grid, int dataRow) {
    const QRect cell = grid.visualRect(grid.model()->index(dataRow - 1, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
}

void ClickHeader(CMSFlexGrid& grid, int column) {
    QHeaderView* header = grid.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 4, header->height() / 2));
}

Texts Column(const CMSFlexGrid& grid, int column) {
    Texts shown;
    for (const auto& row : DataRows(grid))
        shown.push_back(row.at(static_cast<std::size_t>(column)));
    return shown;
}

// The text a File View shows, read by a scripted step.
DialogScript::Step ReadFileView(std::string& shown) {
    return [&shown](QDialog& view) {
        EXPECT_EQ(view.windowTitle(), "File View");
        shown = FindControl<QPlainTextEdit>(&view, 1020)->toPlainText().toStdString();
        Click(view, 1);
    };
}

class ResultWindow : public SearchTest {
protected:
    void SetUp() override {
        SearchTest::SetUp();
        g_resultQuery = kAll;
    }
};

TEST_F(ResultWindow, FoldsTheJoinedRowsIntoOneRowPerResumeWithValuesInArrivalOrder) {
    BankResume first;
    first.qualifications = {"B.E.", "M.Tech."};
    first.specializations = {"JAVA", "ERP", "TESTING"};
    AddResume(first);
    BankResume second;
    second.name = "Ravi";
    second.email = "";
    second.locations = {"Delhi", "Overseas"};
    AddResume(second);
    BankResume third;
    third.name = "Mei";
    third.qualifications = {"BCA", "MBA", "MCA", "MBA"};
    third.specializations = {"C/C++", "VC++"};
    third.locations = {"Chennai", "Noida"};
    AddResume(third);

    ResultDialog window(nullptr);
    EXPECT_EQ(window.windowTitle(), "Result Window");
    EXPECT_EQ(StatusLine(window), "3  Records Found ");
    const GridRows expected = {{"1", "Asha Rao", "2-5", "asha@example.com", "Acme", "Hold", "B.E.,M.Tech.",
                                "JAVA,ERP,TESTING", "Pune"},
                               {"2", "Ravi", "2-5", "", "Acme", "Hold", "B.E.", "JAVA", "Delhi,Overseas"},
                               {"3", "Mei", "2-5", "asha@example.com", "Acme", "Hold", "BCA,MBA,MCA",
                                "C/C++,VC++", "Chennai,Noida"}};
    EXPECT_EQ(DataRows(GridOf(window)), expected);
    EXPECT_TRUE(GridOf(window).isColumnHidden(0));
    EXPECT_EQ(GridOf(window).model()->rowCount(), 3);
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(ResultWindow, ShowsAValueContainedInAnotherAndAnEmptyCellForANull) {
    BankResume contained;
    contained.qualifications = {"CA", "MCA"};
    AddResume(contained);
    ExecuteSql("UPDATE [Abstract Information] SET Email=NULL, Organization=NULL WHERE ID=1");

    ResultDialog window(nullptr);
    const GridRows rows = DataRows(GridOf(window));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][6], "CA,MCA");
    EXPECT_EQ(rows[0][3], "");
    EXPECT_EQ(rows[0][4], "");
}

TEST_F(ResultWindow, HeaderKeepsItsBlanksAndHidesTheIdColumn) {
    AddResume({});
    ResultDialog window(nullptr);
    const CMSFlexGrid& grid = GridOf(window);
    EXPECT_EQ(grid.TextMatrix(0, 0), "");
    EXPECT_EQ(grid.TextMatrix(0, 1), " Name                    ");
    EXPECT_EQ(grid.TextMatrix(0, 7), " Specilization(s)                      ");
    EXPECT_EQ(grid.TextMatrix(0, 8), "Location Preference(s)                  ");
    // The blanks give the widths: the padded Name header is wider than the bare Experience one.
    EXPECT_GT(grid.columnWidth(1), grid.columnWidth(2));
}

TEST_F(ResultWindow, SendMailFollowsTheEmailOfTheRowClickedKeyedToOrRepainted) {
    BankResume withAddress;
    AddResume(withAddress);
    BankResume empty;
    empty.email = "";
    AddResume(empty);
    BankResume blanks;
    blanks.email = "   ";
    AddResume(blanks);

    ResultDialog window(nullptr);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    CMSFlexGrid& grid = GridOf(window);
    EXPECT_TRUE(SendMailEnabled(window));
    ClickRow(grid, 2);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(g_selectedRow, 2);
    EXPECT_FALSE(SendMailEnabled(window));
    ClickRow(grid, 1);
    EXPECT_TRUE(SendMailEnabled(window));
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_End);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_FALSE(SendMailEnabled(window));
    QTest::keyClick(&grid, Qt::Key_Home);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_TRUE(SendMailEnabled(window));

    // A repaint alone takes up the current row too.
    grid.selectionModel()->blockSignals(true);
    grid.setCurrentIndex(grid.model()->index(1, 1));
    grid.selectionModel()->blockSignals(false);
    window.repaint();
    EXPECT_FALSE(SendMailEnabled(window));
}

TEST_F(ResultWindow, DetailsDoubleClickAndEnterShowTheSameFullText) {
    AddResume({});
    BankResume second;
    second.name = "Ravi";
    second.text = "Ravi's résumé\r\nline two";
    AddResume(second);

    ResultDialog window(nullptr);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    CMSFlexGrid& grid = GridOf(window);
    ClickRow(grid, 2);
    std::string byButton, byDoubleClick, byEnter;
    DialogScript script;
    script.Then(ReadFileView(byButton)).Then(ReadFileView(byDoubleClick)).Then(ReadFileView(byEnter));
    Click(window, kDetails);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {},
                       grid.visualRect(grid.model()->index(1, 1)).center());
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_TRUE(script.AllDone());
    EXPECT_EQ(byButton, "Ravi's résumé\nline two");
    EXPECT_EQ(byDoubleClick, byButton);
    EXPECT_EQ(byEnter, byButton);
    EXPECT_EQ(g_detailsQuery, "SELECT * FROM [Resume] WHERE ID=2");
    EXPECT_EQ(EditedResume.id, "2");
    EXPECT_TRUE(window.isVisible()); // Enter shows the text, it does not close the window
}

TEST_F(ResultWindow, DetailsOnAResumeWhoseTextWasDeletedMeanwhileOpensNothing) {
    AddResume({});
    ResultDialog window(nullptr);
    ExecuteSql("DELETE FROM Resume WHERE ID=1");
    DialogScript script; // no File View may open
    Click(window, kDetails);
    Click(window, kEdit);
    EXPECT_EQ(messages.Texts(), (Texts{"The full text of this resume is no longer in the database.",
                                       "The full text of this resume is no longer in the database."}));
    EXPECT_TRUE(EditedResume.fullText.empty());
}

TEST_F(ResultWindow, EditHandsOverTheRowAndRefillsWithTheRewrittenResume) {
    BankResume resume;
    resume.qualifications = {"CA", "MCA"};
    resume.text = "full text";
    AddResume(resume);

    ResultDialog window(nullptr);
    DialogScript script;
    script.Then([](QDialog& form) {
        EXPECT_EQ(form.windowTitle(), "Edit Your Resume");
        EXPECT_EQ(EditedResume.qualifications, "MCA,CA"); // written from its right end: CA, then MCA
        EXPECT_EQ(EditedResume.fullText, "full text");
        EXPECT_EQ(EditedResume.status, "Hold");
        FindControl<QLineEdit>(&form, 1036)->setText("Globex");
        Click(form, 1021);
    });
    Click(window, kEdit);
    ASSERT_TRUE(script.AllDone());
    EXPECT_FALSE(EditedResume.changed);
    EXPECT_FALSE(EditedResume.editing);
    const GridRows rows = DataRows(GridOf(window));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][4], "Globex");
    EXPECT_EQ(rows[0][6], "CA,MCA"); // neither value was dropped, nor moved
    EXPECT_EQ(QueryRows("SELECT Qualification FROM Qualifications WHERE ID=1 ORDER BY Qualification"),
              (Rows{{"CA"}, {"MCA"}}));
}

TEST_F(ResultWindow, EditsKeepTheOrderOfTheListValuesAddingOrRemovingOne) {
    BankResume resume;
    resume.qualifications = {"MCA", "B.E.", "BCA"};
    resume.locations = {"Delhi", "Pune"};
    AddResume(resume);
    ResultDialog window(nullptr);
    const auto lists = [&window] {
        const GridRows rows = DataRows(GridOf(window));
        return rows.at(0).at(6) + " " + rows.at(0).at(8);
    };
    for (int edit = 1; edit <= 3; ++edit) {
        DialogScript script;
        script.Then([](QDialog& form) { Click(form, 1021); });
        Click(window, kEdit);
        ASSERT_TRUE(script.AllDone());
        EXPECT_EQ(lists(), "MCA,B.E.,BCA Delhi,Pune") << edit;
    }
    // The chooser lists Delhi, Mumbai, Pune; the values kept stay in their order around the new one.
    const struct {
        const char* select;
        const char* deselect;
        const char* shown;
    } changes[] = {{"Mumbai", "", "MCA,B.E.,BCA Delhi,Mumbai,Pune"},
                   {"", "Mumbai", "MCA,B.E.,BCA Delhi,Pune"},
                   {"", "Delhi", "MCA,B.E.,BCA Pune"}};
    for (const auto& change : changes) {
        DialogScript script;
        script.Then([](QDialog& form) {
            Click(form, 1062);
            Click(form, 1021);
        });
        script.Then([&change](QDialog& chooser) {
            auto* list = FindControl<QListWidget>(&chooser, 1060);
            if (*change.select)
                list->findItems(change.select, Qt::MatchExactly).front()->setSelected(true);
            if (*change.deselect)
                list->findItems(change.deselect, Qt::MatchExactly).front()->setSelected(false);
            Click(chooser, 1062);
        });
        Click(window, kEdit);
        ASSERT_TRUE(script.AllDone()) << change.shown;
        EXPECT_EQ(lists(), change.shown);
    }
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(ResultWindow, ACancelledEditLeavesTheGridAsItWas) {
    AddResume({});
    ResultDialog window(nullptr);
    const GridRows before = DataRows(GridOf(window));
    BankResume later;
    later.name = "Added meanwhile";
    AddResume(later);
    DialogScript script;
    script.Then([](QDialog& form) { Click(form, 1020); });
    Click(window, kEdit);
    EXPECT_EQ(DataRows(GridOf(window)), before);
    EXPECT_EQ(StatusLine(window), "1  Records Found ");
}

TEST_F(ResultWindow, DeleteAsksThenRefillsWhileResumesMatch) {
    AddResume({});
    BankResume second;
    second.name = "Ravi";
    AddResume(second);
    ResultDialog window(nullptr);
    window.show();
    ClickRow(GridOf(window), 1);

    messages.AnswerNext(MessageAnswer::No);
    Click(window, kDelete);
    EXPECT_EQ(Count("Abstract Information"), 2);

    messages.AnswerNext(MessageAnswer::Yes);
    Click(window, kDelete);
    EXPECT_EQ(messages.Texts(), (Texts{"Are you sure you want to delete this record",
                                       "Are you sure you want to delete this record"}));
    EXPECT_EQ(QueryRows("SELECT ID FROM [Abstract Information]"), (Rows{{"2"}}));
    EXPECT_EQ(QueryRows("SELECT ID FROM Resume"), (Rows{{"2"}}));
    EXPECT_EQ(StatusLine(window), "1  Records Found ");
    EXPECT_EQ(DataRows(GridOf(window)).at(0).at(1), "Ravi");
    EXPECT_TRUE(window.isVisible());
}

TEST_F(ResultWindow, DeletingTheOnlyMatchSaysSoAndClosesTheLastResumeClosesSilently) {
    AddResume({});
    BankResume other;
    other.name = "Ravi";
    AddResume(other);
    g_resultQuery = std::string(kAll).replace(std::string(kAll).find("ORDER"), 0, "AND Name='Ravi'");
    {
        ResultDialog window(nullptr);
        window.show();
        Click(window, kDelete);
        EXPECT_EQ(messages.Texts(),
                  (Texts{"Are you sure you want to delete this record", "No record found to show"}));
        EXPECT_FALSE(window.isVisible());
    }
    messages.Clear();
    g_resultQuery = kAll;
    ResultDialog window(nullptr);
    window.show();
    Click(window, kDelete);
    EXPECT_EQ(messages.Texts(), (Texts{"Are you sure you want to delete this record"}));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Count("Abstract Information"), 0);
}

TEST_F(ResultWindow, AFailedFillEndsTheWindowBeforeItShows) {
    const struct {
        const char* query;
        std::vector<std::string> said;
    } cases[] = {{"SELECT * FROM [Abstract Information] WHERE Name=\"Bob\"", {"Exception :try again"}},
                 {"SELECT * FROM Nowhere", {"Exception :try again"}},
                 {kAll, {"No record found to show"}}};
    for (const auto& test : cases) {
        messages.Clear();
        g_resultQuery = test.query;
        DialogScript script; // the window itself must never come up
        ResultDialog window(nullptr);
        EXPECT_EQ(window.exec(), QDialog::Rejected);
        EXPECT_EQ(messages.Texts(), test.said) << test.query;
    }
}

TEST_F(ResultWindow, AMissingOrForeignBankIsReportedWhenFillingAndWhenDeleting) {
    AddResume({});
    ResultDialog window(nullptr);
    std::filesystem::remove(BankPath());
    {
        ResultDialog refused(nullptr);
        EXPECT_EQ(refused.exec(), QDialog::Rejected);
        ASSERT_EQ(messages.Requests().size(), 1u);
        EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::Critical);
        EXPECT_NE(messages.Texts()[0].find("TalvanorData.mdb"), std::string::npos) << messages.Texts()[0];
    }
    messages.Clear();
    Click(window, kDetails);
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::Critical);

    messages.Clear();
    { std::ofstream(BankPath()) << "not a bank at all, just text"; }
    {
        ResultDialog refused(nullptr);
        EXPECT_EQ(refused.exec(), QDialog::Rejected);
        EXPECT_EQ(messages.Texts(), (Texts{"file is not a database"}));
    }
    messages.Clear();
    window.show();
    Click(window, kDelete);
    EXPECT_EQ(messages.Texts().at(1), "Unable to open  the database");
    EXPECT_EQ(messages.Texts().size(), 3u); // then the refill fails and the window closes
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ResultWindow, ABankLockedByAnotherWriterEndsDeleteWithTheEngineTextAndKeepsTheGrid) {
    AddResume({});
    ResultDialog window(nullptr);
    SqliteConnection other;
    other.Open(BankPath());
    other.Execute("BEGIN IMMEDIATE; UPDATE ComboData SET List=List");
    window.show();
    Click(window, kDelete);
    other.Execute("ROLLBACK");
    ASSERT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(messages.Texts()[1], "database is locked");
    EXPECT_EQ(messages.Requests()[1].icon, MessageIcon::Critical);
    EXPECT_EQ(Count("Abstract Information"), 1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(DataRows(GridOf(window)).size(), 1u);
}

TEST_F(ResultWindow, ABankAnotherWriterIsCommittingToFailsTheFillAndDetailsAfterTheBusyWait) {
    AddResume({});
    ResultDialog window(nullptr);
    SqliteConnection other;
    other.Open(BankPath());
    other.Execute("BEGIN EXCLUSIVE");
    {
        ResultDialog blocked(nullptr);
        EXPECT_EQ(blocked.exec(), QDialog::Rejected);
    }
    Click(window, kDetails);
    other.Execute("ROLLBACK");
    // Opening the bank already reads it, so both end with the engine's own reason.
    EXPECT_EQ(messages.Texts(), (Texts{"database is locked", "database is locked"}));
    EXPECT_EQ(messages.Requests().at(0).icon, MessageIcon::Critical);
    EXPECT_EQ(messages.Requests().at(1).icon, MessageIcon::Critical);
    EXPECT_EQ(DataRows(GridOf(window)).size(), 1u);
}

TEST_F(ResultWindow, SortedRowsAreTheOnesDetailsEditDeleteAndSendMailActOn) {
    BankResume carol;
    carol.name = "carol";
    carol.email = "";
    carol.text = "Carol's text";
    AddResume(carol);
    BankResume alice;
    alice.name = "Alice";
    alice.text = "Alice's text";
    AddResume(alice);
    BankResume bob;
    bob.name = "bob";
    bob.text = "Bob's text";
    AddResume(bob);

    ResultDialog window(nullptr);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    CMSFlexGrid& grid = GridOf(window);
    EXPECT_EQ(Column(grid, 1), (Texts{"carol", "Alice", "bob"})); // by ID until a header is clicked
    ClickHeader(grid, 1);
    EXPECT_EQ(Column(grid, 1), (Texts{"Alice", "bob", "carol"}));
    EXPECT_EQ(g_selectedRow, 3); // carol was current and still is
    EXPECT_FALSE(SendMailEnabled(window));

    ClickRow(grid, 1);
    EXPECT_TRUE(SendMailEnabled(window));
    std::string shown;
    DialogScript script;
    script.Then(ReadFileView(shown));
    Click(window, kDetails);
    EXPECT_EQ(shown, "Alice's text");
    EXPECT_EQ(EditedResume.id, "2");

    // Edit hands over the row as shown; the refill keeps the sort, and the renamed resume stays current.
    ClickRow(grid, 2);
    script.Then([](QDialog& form) {
        EXPECT_EQ(FindControl<QLineEdit>(&form, 1019)->text(), "bob");
        EXPECT_EQ(EditedResume.fullText, "Bob's text");
        FindControl<QLineEdit>(&form, 1019)->setText("Aaron");
        Click(form, 1021);
    });
    Click(window, kEdit);
    ASSERT_TRUE(script.AllDone());
    EXPECT_EQ(Column(grid, 1), (Texts{"Aaron", "Alice", "carol"}));
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorSection(), 1);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(g_selectedRow, 1);
    EXPECT_EQ(grid.TextMatrix(1, 0), "3");

    // Delete takes the row as shown; the row in its place becomes current.
    messages.AnswerNext(MessageAnswer::Yes);
    Click(window, kDelete);
    EXPECT_EQ(QueryRows("SELECT ID FROM [Abstract Information] ORDER BY ID"), (Rows{{"1"}, {"2"}}));
    EXPECT_EQ(Column(grid, 1), (Texts{"Alice", "carol"}));
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(StatusLine(window), "2  Records Found ");

    // Sorted the other way, the last row is Alice's.
    ClickHeader(grid, 1);
    EXPECT_EQ(Column(grid, 1), (Texts{"carol", "Alice"}));
    EXPECT_EQ(grid.Row(), 2);
    shown.clear();
    script.Then(ReadFileView(shown));
    Click(window, kDetails);
    EXPECT_TRUE(script.AllDone());
    EXPECT_EQ(shown, "Alice's text");
}

TEST_F(ResultWindow, ExportsTheGridAsShownAsCsvThroughTheChooser) {
    BankResume rao;
    rao.name = "Rao, Asha \"AR\"";
    rao.organization = "=HYPERLINK(\"http://x.example\")";
    rao.qualifications = {"B.E.", "M.Tech."};
    rao.locations = {"Pune\tEast"}; // a tab cannot stand in a cell: a blank does
    AddResume(rao);
    BankResume zoe;
    zoe.name = "Zo\xC3\xAB \xC3\x91\xC3\xBA\xC3\xB1"
               "ez";
    zoe.email = "@zoe";
    zoe.organization = "first line\r\nsecond line";
    zoe.experience = "-1";
    zoe.status = "+91 98450";
    AddResume(zoe);

    ResultDialog window(nullptr);
    CMSFlexGrid& grid = GridOf(window);
    grid.SortByColumn(1, Qt::DescendingOrder);
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("hits.csv")).toStdString();
    SetSaveFileAnswerer([&](const QString& filter, const QString& suffix) {
        EXPECT_EQ(filter.toStdString(), "CSV files (*.csv)");
        EXPECT_EQ(suffix.toStdString(), "csv");
        return std::optional<std::string>(path);
    });
    for (QAction* action : grid.actions()) {
        if (action->property("controlId").toInt() == 2011)
            action->trigger();
    }
    SetSaveFileAnswerer({});

    std::ifstream file(path, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(written,
              "\xEF\xBB\xBF"
              "Name,Experience,Email,Organization,Status,Qualification(s),Specilization(s),"
              "Location Preference(s)\r\n"
              "Zo\xC3\xAB \xC3\x91\xC3\xBA\xC3\xB1"
              "ez,\"'-1\",\"'@zoe\",\"first line\r\nsecond line\","
              "\"'+91 98450\",B.E.,JAVA,Pune\r\n"
              "\"Rao, Asha \"\"AR\"\"\",2-5,asha@example.com,\"'=HYPERLINK(\"\"http://x.example\"\")\","
              "Hold,\"B.E.,M.Tech.\",JAVA,Pune East\r\n");
    EXPECT_TRUE(messages.Texts().empty());
    // Fields of other grids: a lone carriage return is quoted; a formula behind a tab or a
    // carriage return is guarded as well.
    const struct {
        const char* text;
        const char* field;
    } fields[] = {{"a\rb", "\"a\rb\""}, {"\t=1+2", "\"'\t=1+2\""}, {"\r=A1", "\"'\r=A1\""},
                  {"a\tb", "a\tb"},     {"plain", "plain"},        {"", ""}};
    for (const auto& item : fields) {
        std::string record;
        AppendCsvField(record, item.text);
        EXPECT_EQ(record, item.field) << item.text;
    }
}

TEST_F(ResultWindow, ColumnsTakeTheWidestTextOfTheWholeGridAndTheWindowFitsTheScreen) {
    std::vector<BankResume> resumes(1500);
    resumes.back().email = "someone.with.a.rather.long.address@example.org";
    resumes.back().specializations = {std::string(300, 'W')};
    AddResumes(resumes);

    ResultDialog window(nullptr);
    CMSFlexGrid& grid = GridOf(window);
    const QModelIndex lastEmail = grid.model()->index(1499, 3);
    EXPECT_GE(grid.columnWidth(3), grid.sizeHintForIndex(lastEmail).width() + 1);
    EXPECT_EQ(grid.columnWidth(7), 320);
    EXPECT_LE(window.width(), window.screen()->availableGeometry().width());
    // Too many rows for the screen: as tall as the screen leaves room for.
    EXPECT_GT(window.height(), 460);
    EXPECT_LE(window.height(), window.screen()->availableGeometry().height());
    EXPECT_GE(window.height(), window.screen()->availableGeometry().height() - 40);
}

TEST_F(ResultWindow, OpensAsTallAsItsRowsNeedAndNeverLowerThanDrawn) {
    AddResumes(std::vector<BankResume>(3));
    {
        ResultDialog few(nullptr);
        EXPECT_EQ(few.height(), 460);
    }
    AddResumes(std::vector<BankResume>(17));
    ResultDialog window(nullptr);
    EXPECT_GT(window.height(), 460);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Every row shows without scrolling, and hardly any room is left below the last.
    CMSFlexGrid& grid = GridOf(window);
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), 0);
    const QRect last = grid.visualRect(grid.model()->index(19, 1));
    EXPECT_GE(grid.viewport()->height(), last.bottom());
    EXPECT_LE(grid.viewport()->height() - last.bottom(), 2 * grid.verticalHeader()->defaultSectionSize());
}

TEST_F(ResultWindow, ALongFillShowsItsFirstRowsAndARunningCountThenTheSameGrid) {
    std::vector<BankResume> resumes(3000);
    GridRows expected;
    for (std::size_t index = 0; index < resumes.size(); ++index) {
        BankResume& resume = resumes[index];
        resume.name = "Candidate " + std::to_string(index + 1);
        resume.email = "c" + std::to_string(index + 1) + "@example.com";
        resume.qualifications = {index % 2 ? "B.E." : "MBA", "Ph.D."};
        resume.locations = {"Pune", index % 3 ? "Delhi" : "Pune", "Noida"};
        expected.push_back({std::to_string(index + 1), resume.name, "2-5", resume.email, "Acme", "Hold",
                            resume.qualifications[0] + ",Ph.D.", "JAVA",
                            index % 3 ? "Pune,Delhi,Noida" : "Pune,Noida"});
    }
    AddResumes(resumes);
    // Rows come from the first step on: the engine builds no index of its own before the first.
    {
        ResumeStore store;
        ASSERT_EQ(store.Open(), 1);
        SqliteStatement plan = store.OpenSnapshot(std::string("EXPLAIN QUERY PLAN ") + kAll);
        while (plan.Step())
            EXPECT_EQ(plan.ColumnText(3).find("AUTOMATIC"), std::string::npos) << plan.ColumnText(3);
    }

    // Whenever the grid paints: how many rows it shows, and what the status line says then.
    struct PaintWatch : QObject {
        std::vector<std::pair<int, std::string>> seen;
        bool eventFilter(QObject* watched, QEvent* event) override {
            auto* grid =
                watched->parent() != nullptr ? qobject_cast<CMSFlexGrid*>(watched->parent()) : nullptr;
            if (event->type() == QEvent::Paint && grid != nullptr && grid->viewport() == watched)
                seen.emplace_back(grid->model()->rowCount(),
                                  FindControl<QLabel>(grid->window(), kStatusLine)->text().toStdString());
            return false;
        }
    } paints;
    qApp->installEventFilter(&paints);
    const FillPacing pacing = g_fillPacing;
    g_fillPacing = {0, 5};
    bool refusedToClose = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* filling = qobject_cast<ResultDialog*>(top))
                refusedToClose = !filling->close() && filling->isVisible();
        }
    });
    ResultDialog window(nullptr);
    qApp->removeEventFilter(&paints);
    g_fillPacing = pacing;

    EXPECT_TRUE(refusedToClose);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(StatusLine(window), "3000  Records Found ");
    EXPECT_EQ(DataRows(GridOf(window)), expected);
    // It painted rows more than once before the last arrived, each time with the count so far.
    const QRegularExpression counting(QStringLiteral("^(\\d+) found so far\u2026$"));
    int whileFilling = 0;
    for (const auto& [rows, status] : paints.seen) {
        const auto match = counting.match(QString::fromStdString(status));
        if (!match.hasMatch())
            continue;
        ++whileFilling;
        EXPECT_GT(rows, 0);
        EXPECT_LT(rows, 3000);
        EXPECT_EQ(match.captured(1).toInt(), rows);
    }
    EXPECT_GE(whileFilling, 2);

    g_fillPacing.firstShow = std::numeric_limits<int>::max();
    ResultDialog atOnce(nullptr);
    g_fillPacing = pacing;
    EXPECT_FALSE(atOnce.isVisible());
    EXPECT_EQ(DataRows(GridOf(atOnce)), expected);
    for (int column = 1; column < 8; ++column) // measured as the rows came, or all at the end
        EXPECT_EQ(GridOf(window).columnWidth(column), GridOf(atOnce).columnWidth(column)) << column;
}

} // namespace
