#pragma once

#include <QTableView>
#include <memory>
#include <string>
#include <vector>

class CellTextWidths;
class FlexGridModel;

// The result window's grid: the few members and events of a flex grid the window relies on, over a
// table view. Row 0 is the fixed header row; data rows count from 1. Cell texts are 8-bit text.
// Beyond those: a header click sorts the rows by that column (see GridSort.h), Ctrl+C copies rows,
// and its context menu copies them or exports the grid as a CSV file. Row numbers are always those
// of the rows as shown. All members are to be called from the UI thread only.
class CMSFlexGrid final : public QTableView {
    Q_OBJECT

public:
    explicit CMSFlexGrid(QWidget* parent);
    ~CMSFlexGrid() override;

    long Rows() const;
    // 1 drops every data row and keeps the header; more adds empty rows.
    void SetRows(long rows);
    void SetCols(long cols);
    // The current row: a data row whenever there are data rows, 0 when there are none.
    long Row() const;
    void SetColWidth(long column, long width); // 0 hides the column
    std::string TextMatrix(long row, long column) const;
    // Cuts `item` at tabs into the cells of a new row, from column 0 on, inserted at `index`.
    void AddItem(const std::string& item, long index);
    void Refresh();

    // Each "|" starts a column; a column's header text, blanks kept, gives its first width.
    void SetFormatString(const QString& format);

    // Widens each shown column to the widest of its texts in every row, shown or not yet shown (at
    // most `maximum` pixels), and never narrower than its header with room for the sort arrow.
    void FitColumnsToTexts(int maximum);
    // Measures the rows added since the last call, so that fitting a long fill's columns at its end
    // measures only its last rows.
    void MeasureAddedRows();
    // The width that shows every column whole, frame and vertical scroll bar included.
    int FullWidth() const;
    // The height that shows every row, frame and header included, and the horizontal scroll bar
    // when the columns are wider than the grid.
    int FullHeight(bool withScrollBar) const;
    // Narrows the last shown column to what a grid `gridWidth` pixels wide leaves it, where the
    // other columns leave it room.
    void FitLastColumnInto(int gridWidth);
    std::vector<int> ShownColumns() const;

    // Sorts the rows by `column` and shows the arrow; a column below 0 shows them as added again.
    // The current row's resume stays current.
    void SortByColumn(int column, Qt::SortOrder order);
    // Sorts again as last chosen, once the rows were replaced.
    void SortAgain();
    int SortColumn() const; // -1 while the rows show as added
    // The first data row whose `column` holds `text`; 0 when there is none.
    long FindRow(long column, const std::string& text) const;
    // Makes `row` the current, selected row and scrolls to it.
    void SetRow(long row);

    // The selected rows (the current row when none is selected), as shown, one line each, the
    // cells of the shown columns joined by tabs.
    std::string SelectedRowsText() const;
    void CopySelectedRows(); // to the clipboard

    const FlexGridModel& Model() const { return *m_model; }

signals:
    // Raised once the clicked row has become current.
    void Click();
    void DblClick();
    // The current row moved, by mouse or keyboard.
    void RowChanged();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void AddCommands();
    void KeepCurrentRow();
    int HeaderTextWidth(int column) const;
    int FirstShownColumn() const;

    FlexGridModel* m_model;
    int m_keptRow = 0; // the data row to make current again after the rows were replaced
    std::unique_ptr<CellTextWidths> m_textWidths; // the rows measured so far; made again for new rows
    std::vector<int> m_headerWidths;              // by column, from the header texts
    std::vector<int> m_fittedWidths;              // by column, from the header texts and then from every text
};

// The result window's header: column 0 (the ID) has none; the blanks set the widths.
inline constexpr const char* kResultGridFormat =
    "| Name                    |Experience| Email                 | Organization | Status           | "
    "Qualification(s)| Specilization(s)                      |Location Preference(s)                  ";

// The commands of the grid's context menu, by control id.
inline constexpr int kCopyRowsCommand = 2010;
inline constexpr int kExportCsvCommand = 2011;
