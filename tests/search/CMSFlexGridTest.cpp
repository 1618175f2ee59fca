#include "search/CMSFlexGrid.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

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
}

TEST_F(FlexGrid, ARefillKeepsThePlaceOfTheCurrentRow) {
    Fill(5);
    grid.setCurrentIndex(grid.model()->index(3, 1));
    Fill(5);
    EXPECT_EQ(grid.Row(), 4);
    Fill(2);
    EXPECT_EQ(grid.Row(), 2);
}

} // namespace
