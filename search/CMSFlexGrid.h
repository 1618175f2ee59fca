#pragma once

#include <QTableView>
#include <string>

class FlexGridModel;

// The result window's grid: the few members and events of a flex grid the window relies on, over a
// table view. Row 0 is the fixed header row; data rows count from 1. Cell texts are 8-bit text.
// All members are to be called from the UI thread only.
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

    // Widens shown columns to their texts (judged on the first rows, at most `maximum` pixels).
    void WidenColumnsToContents(int maximum);

    // Each "|" starts a column; a column's header text, blanks kept, gives its first width.
    void SetFormatString(const QString& format);

signals:
    // Raised once the clicked row has become current.
    void Click();
    void DblClick();
    // The current row moved, by mouse or keyboard.
    void RowChanged();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void KeepCurrentRow();
    int FirstShownColumn() const;

    FlexGridModel* m_model;
    int m_keptRow = 0; // the data row to make current again after the rows were replaced
};

// The result window's header: column 0 (the ID) has none; the blanks set the widths.
inline constexpr const char* kResultGridFormat =
    "| Name                    |Experience| Email                 | Organization | Status           | "
    "Qualification(s)| Specilization(s)                      |Location Preference(s)                  ";
