#include "search/CMSFlexGrid.h"
#include "platform/ControlId.h"
#include "platform/FileChooser.h"
#include "search/CellTextWidths.h"
#include "search/GridCsvExport.h"
#include "search/GridSort.h"
#include "tests/util/ScriptedMessages.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

QAction* Command(const CMSFlexGrid& grid, int id) {
    for (QAction* action : grid.actions()) {
        if (ControlIdOf(action) == id)
            return action;
    }
    return nullptr;
}

class FlexGrid : public testing::Test {
protected:
    void SetUp() override {
        grid.SetFormatString(QStringLiteral("|First |Second|  Third  "));
        grid.resize(400, 200);
    }
    void Fill(int rows) {
        grid.SetRows(1);
        for (int row = 1; row <= rows; ++row)
            grid.AddItem(std::to_string(row) + "\tname " + std::to_string(row) + "\tx", grid.Rows());
        grid.Refresh();
    }
    // Rows as the result window fills them: the ID first, in a hidden column.
    void FillHidingTheId(const std::vector<std::string>& rows) {
        grid.SetColWidth(0, 0);
        grid.SetRows(1);
        for (const std::string& row : rows)
            grid.AddItem(row, grid.Rows());
        grid.Refresh();
    }
    std::string Column(int column) const {
        std::string shown;
        for (long row = 1; row < grid.Rows(); ++row)
            shown += (row > 1 ? "," : "") + grid.TextMatrix(row, column);
        return shown;
    }
    void ClickHeader(int column) {
        QHeaderView* header = grid.horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 4, header->height() / 2));
    }
    CMSFlexGrid grid{nullptr};
};

TEST_F(FlexGrid, StartsWithTheHeaderAndOneEmptyRowAndCutsAddedItemsAtTabs) {
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.TextMatrix(0, 2), "Second");
    EXPECT_EQ(grid.TextMatrix(0, 3), "  Third  ");
    EXPECT_EQ(grid.TextMatrix(1, 1), "");
    grid.SetRows(1);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.TextMatrix(0, 1), "First "); // the header stays
    grid.AddItem("7\tone\t\ttoo many", grid.Rows());
    grid.AddItem("8", grid.Rows());
    grid.AddItem("6\tfirst", 1);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(1, 1), "first");
    EXPECT_EQ(grid.TextMatrix(2, 0), "7");
    EXPECT_EQ(grid.TextMatrix(2, 2), "");
    EXPECT_EQ(grid.TextMatrix(2, 3), "too many");
    EXPECT_EQ(grid.TextMatrix(3, 1), "");
    grid.Refresh();
    EXPECT_EQ(grid.model()->data(grid.model()->index(1, 1)).toString(), "one");
}

TEST_F(FlexGrid, WidthsComeFromTheHeaderTextsAndZeroHidesAColumn) {
    EXPECT_LT(grid.columnWidth(2), grid.columnWidth(3));
    grid.SetColWidth(0, 0);
    EXPECT_TRUE(grid.isColumnHidden(0));
    grid.SetColWidth(0, 40);
    EXPECT_FALSE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.columnWidth(0), 40);
}

TEST_F(FlexGrid, KeysMoveTheCurrentRowAndEveryMoveIsReported) {
    Fill(100);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    EXPECT_EQ(grid.Row(), 1);
    QSignalSpy moves(&grid, &CMSFlexGrid::RowChanged);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 2);
    QTest::keyClick(&grid, Qt::Key_End);
    EXPECT_EQ(grid.Row(), 100);
    QTest::keyClick(&grid, Qt::Key_PageUp);
    const long afterPageUp = grid.Row();
    EXPECT_LT(afterPageUp, 100);
    EXPECT_GT(afterPageUp, 1);
    QTest::keyClick(&grid, Qt::Key_Home);
    EXPECT_EQ(grid.Row(), 1);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    EXPECT_GT(grid.Row(), 1);
    EXPECT_EQ(moves.count(), 5);
    EXPECT_EQ(grid.selectionModel()->selectedRows().size(), 1);
}

TEST_F(FlexGrid, AClickMakesItsRowCurrentBeforeClickIsRaised) {
    Fill(5);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    std::vector<long> rowsSeen;
    QObject::connect(&grid, &CMSFlexGrid::Click, [&] { rowsSeen.push_back(grid.Row()); });
    QSignalSpy doubleClicks(&grid, &CMSFlexGrid::DblClick);
    const QPoint third = grid.visualRect(grid.model()->index(2, 1)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, third);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, third);
    EXPECT_EQ(rowsSeen.front(), 3);
    EXPECT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(grid.Row(), 3);
    // A click below the last row changes nothing: the row the buttons act on stays marked.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(third.x(), grid.viewport()->height() - 2));
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(2, {}));
}

TEST_F(FlexGrid, ARefillKeepsThePlaceOfTheCurrentRow) {
    Fill(5);
    grid.setCurrentIndex(grid.model()->index(3, 1));
    Fill(5);
    EXPECT_EQ(grid.Row(), 4);
    Fill(2);
    EXPECT_EQ(grid.Row(), 2);
}

TEST_F(FlexGrid, AHeaderClickSortsIgnoringCaseAClickAgainReversesAndTheCurrentRowFollows) {
    FillHidingTheId(
        {"1\tbob\t10-15", "2\tAlice\t2-5", "3\tcarl\tMore than 15", "4\talice\t0-1", "5\tBob\t2-5"});
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.SetRow(2);
    EXPECT_EQ(grid.SortColumn(), -1); // no arrow until a header is clicked
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorSection(), -1);

    ClickHeader(1);
    EXPECT_EQ(Column(0), "4,2,1,5,3"); // the letters first, then case
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorSection(), 1);
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(grid.Row(), 2); // Alice stays current
    EXPECT_EQ(grid.TextMatrix(grid.Row(), 0), "2");

    ClickHeader(1);
    EXPECT_EQ(Column(1), "carl,Bob,bob,Alice,alice");
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(grid.selectionModel()->selectedRows().size(), 1);

    ClickHeader(2); // bands in the order of their numbers
    EXPECT_EQ(Column(2), "0-1,2-5,2-5,10-15,More than 15");
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);

    // Rows added to a sorted grid go to its end; sorting again puts them in place.
    grid.AddItem("6\tadam\t1-2", grid.Rows());
    grid.Refresh();
    EXPECT_EQ(Column(0), "4,2,5,1,3,6");
    grid.SortAgain();
    EXPECT_EQ(Column(0), "4,6,2,5,1,3");

    grid.SortByColumn(-1, Qt::AscendingOrder);
    EXPECT_EQ(Column(0), "1,2,3,4,5,6");
    EXPECT_EQ(grid.SortColumn(), -1);
    EXPECT_EQ(grid.TextMatrix(grid.Row(), 1), "Alice");

    // A refill of a sorted grid with fewer rows shows them as they were added, until sorted again.
    grid.SortByColumn(1, Qt::DescendingOrder);
    FillHidingTheId({"8\tzed\t0-1", "7\tamy\t2-5"});
    EXPECT_EQ(Column(0), "8,7");
    EXPECT_EQ(Column(1), "zed,amy");
    EXPECT_EQ(grid.model()->rowCount(), 2);
    grid.SortByColumn(1, Qt::AscendingOrder);
    EXPECT_EQ(Column(0), "7,8");
}

TEST(GridSort, ComparesAsADictionaryWithRunsOfDigitsByTheirValue) {
    const struct {
        const char* left;
        const char* right;
        int sign;
    } cases[] = {
        {"apple", "Banana", -1},
        {"apple", "Zara", -1},
        {"anna", "ANNA", -1},
        {"Anna", "annb", -1},
        {"2-5", "10-15", -1},
        {"10-15", "More than 15", -1},
        {"Candidate 10", "Candidate 9", 1},
        {"x007", "x7", 0},
        {"x07y", "x7z", -1},
        {"a9", "ab", -1},
        {"", "a", -1},
        {"abc", "ab", 1},
        {"99999999999999999999", "100000000000000000000", -1},
        {"Zo\xC3\xAB", "zoe", 1},
        // Accents come second to the letters, within one first name too.
        {"\xC3\x89milie", "Eva", -1}, // Émilie
        {"\xC3\x89milie", "Emilie", 1},
        {"\xC3\x87"
         "a\xC4\x9Fla",
         "Cem", -1}, // Çağla
        {"\xC3\x87"
         "a\xC4\x9Fla",
         "Ca\xC4\x9Fla", 1},
        {"\xC5\x81ukasz", "Lars", 1}, // Łukasz
        {"\xC5\x81ukasz", "Mia", -1},
        {"\xC3\x96"
         "d\xC3\xB6n",
         "Otto", -1}, // Ödön
        {"\xC3\x96"
         "d\xC3\xB6n",
         "Zara", -1},
    };
    const auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (const auto& test : cases) {
        EXPECT_EQ(sign(CompareCellTexts(test.left, test.right)), test.sign)
            << test.left << " / " << test.right;
        EXPECT_EQ(sign(CompareCellTexts(test.right, test.left)), -test.sign)
            << test.right << " / " << test.left;
        // The sort itself: the row whose text comes first, either way.
        const std::vector<std::string> rows = {std::string("1\t") + test.left,
                                               std::string("2\t") + test.right};
        EXPECT_EQ(SortedRowOrder(rows, 1, Qt::AscendingOrder).front(), test.sign > 0 ? 1 : 0) << test.left;
        EXPECT_EQ(SortedRowOrder(rows, 1, Qt::DescendingOrder).front(), test.sign < 0 ? 1 : 0) << test.left;
    }
    // Equal texts go by the ID in the first column, either way; rows without one after.
    const std::vector<std::string> rows = {"7\tEva",  "3\tEva",   "x\tEva",  "10\t\xC3\x89milie",
                                           "2\tZara", "5\tapple", "1\tx007", "9\tx7"};
    EXPECT_EQ(SortedRowOrder(rows, 1, Qt::AscendingOrder), (std::vector<int>{5, 3, 1, 0, 2, 6, 7, 4}));
    EXPECT_EQ(SortedRowOrder(rows, 1, Qt::DescendingOrder), (std::vector<int>{4, 6, 7, 1, 0, 2, 3, 5}));
}

TEST_F(FlexGrid, CopyGivesTheSelectedRowsAsShownTabSeparatedWithoutTheHiddenColumn) {
    FillHidingTheId({"1\tbob\ttwo\r\nlines\tP", "2\tAlice\tx\t", "3\tcarl\t y \tQ"});
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.SortByColumn(1, Qt::AscendingOrder);
    grid.setFocus();
    EXPECT_EQ(grid.Row(), 2); // bob, current before the sort
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "bob\ttwo  lines\tP");

    const QRect carl = grid.visualRect(grid.model()->index(2, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ControlModifier, carl.center());
    const QRect alice = grid.visualRect(grid.model()->index(0, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ControlModifier, alice.center());
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              "Alice\tx\t\nbob\ttwo  lines\tP\ncarl\t y \tQ");

    // The context menu offers copying and the export.
    EXPECT_EQ(grid.contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_EQ(grid.actions().size(), 2);
    EXPECT_EQ(grid.actions()[0], Command(grid, 2010));
    EXPECT_EQ(Command(grid, 2010)->text().toStdString(), "&Copy");
    EXPECT_EQ(Command(grid, 2011)->text().toStdString(), "&Export to CSV\u2026");
    QTest::keyClick(&grid, Qt::Key_Down); // a plain move selects one row again
    Command(grid, 2010)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "bob\ttwo  lines\tP");
}

TEST_F(FlexGrid, ColumnsTakeTheWidestTextOfEveryRowUpToTheCapAndTheLastWhatIsLeft) {
    std::vector<std::string> rows;
    for (int row = 1; row <= 3000; ++row)
        rows.push_back(std::to_string(row) + "\tname " + std::to_string(row) + "\tx\t" +
                       std::string(600, 'w'));
    rows[1800] = "1801\tZo\xC3\xAB \xC3\x91\xC3\xBA\xC3\xB1"
                 "ez-\xC3\x85lvarez\tx\ty";
    rows.push_back("3001\tname\tsomeone.with.a.long.address@example.org\tz");
    FillHidingTheId(rows);
    grid.FitColumnsToTexts(320);

    // Each column is wide enough for its widest text, wherever it stands, as the cell paints it.
    for (const auto& [row, column] : {std::pair{1800, 1}, std::pair{3000, 2}}) {
        const QModelIndex widest = grid.model()->index(row, column);
        EXPECT_GE(grid.columnWidth(column), grid.sizeHintForIndex(widest).width() + 1) << column;
        EXPECT_LE(grid.columnWidth(column), grid.sizeHintForIndex(widest).width() + 12) << column;
    }
    EXPECT_EQ(grid.columnWidth(3), 320); // the cap
    const int full = grid.FullWidth();

    grid.FitLastColumnInto(full); // all fit: nothing changes
    EXPECT_EQ(grid.columnWidth(3), 320);
    grid.FitLastColumnInto(full - 100); // the last column takes what the others leave
    EXPECT_EQ(grid.columnWidth(3), 220);
    grid.FitLastColumnInto(full - 400); // the others alone are too wide: it keeps its width
    EXPECT_EQ(grid.columnWidth(3), 220);
    grid.FitColumnsToTexts(320);
    EXPECT_EQ(grid.FullWidth(), full);

    // A character beyond the first 65,536 counts once, not once per half.
    const QFontMetricsF metrics(grid.font());
    CellTextWidths widths(metrics);
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const double apart = metrics.horizontalAdvance(QStringLiteral("a")) + metrics.horizontalAdvance(emoji) +
                         metrics.horizontalAdvance(QStringLiteral("b"));
    EXPECT_DOUBLE_EQ(widths.Width("a\xF0\x9F\x98\x80"
                                  "b"),
                     apart);
    EXPECT_DOUBLE_EQ(widths.Width("a\xF0\x9F\x98\x80"
                                  "b"),
                     apart)
        << "measured again from what it knows";
}

TEST_F(FlexGrid, AnExportThatCannotBeWrittenSaysWhyAndLeavesNoFileBehind) {
    std::vector<std::string> rows;
    for (int row = 1; row <= 500; ++row)
        rows.push_back(std::to_string(row) + "\tname " + std::to_string(row) + "\tsome text");
    FillHidingTheId(rows);
    ScriptedMessages messages;
    std::string chosen;
    SetSaveFileAnswerer([&](const QString&, const QString&) { return std::optional<std::string>(chosen); });

    // A folder in which no one, root included, may create a file.
    chosen = "/proc/results.csv";
    Command(grid, 2011)->trigger();
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0].rfind("The rows could not be exported to /proc/results.csv:\n", 0), 0u)
        << messages.Texts()[0];
    EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(std::filesystem::exists(chosen));

    // A disk that fills up halfway: the file that was there stays as it was, nothing else is left.
    QTemporaryDir folder;
    chosen = folder.filePath(QStringLiteral("hits.csv")).toStdString();
    std::ofstream(chosen) << "earlier export";
    messages.Clear();
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    Command(grid, 2011)->trigger();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], "The rows could not be exported to " + chosen + ":\nFile too large");
    EXPECT_EQ(FileText(chosen), "earlier export");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("hits.csv")});

    // Within the limit the same export replaces the file whole; a cancelled chooser writes nothing.
    messages.Clear();
    Command(grid, 2011)->trigger();
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(FileText(chosen).rfind("\xEF\xBB\xBF"
                                     "First,Second,Third\r\nname 1,some text,\r\nname 2,",
                                     0),
              0u);
    SetSaveFileAnswerer([](const QString&, const QString&) { return std::optional<std::string>(); });
    std::filesystem::remove(chosen);
    Command(grid, 2011)->trigger();
    EXPECT_FALSE(std::filesystem::exists(chosen));
    EXPECT_TRUE(messages.Texts().empty());
    SetSaveFileAnswerer({});
}

} // namespace
