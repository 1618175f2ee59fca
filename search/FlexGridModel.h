#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

// The cells of the result grid: each data row is kept as the one tab-joined text it was added
// with and cut into cells only when a cell is read, so a fill of 100,000 rows makes 100,000
// strings, not 900,000. Rows added by Append reach attached views on Announce, in one batch.
// Rows show in the order they were added until the model is sorted; row numbers given to and
// taken from the model are always those of the rows as shown.
class FlexGridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FlexGridModel(QObject* parent);

    int DataRowCount() const { return static_cast<int>(m_rows.size()); }
    void SetDataRowCount(int count); // drops or adds empty rows; the rows show as added
    void SetColumnCount(int count);
    int ColumnCount() const { return m_columnCount; }
    void SetHeaders(const QStringList& headers);

    void Append(std::string rowText);
    void Insert(int dataRow, std::string rowText); // shown at once
    // Tells attached views about rows appended since the last call.
    void Announce();
    std::string Cell(int dataRow, int column) const;
    std::string_view RowText(int dataRow) const;
    // Every row as added, whatever the order shown, and the way between the two orders.
    const std::vector<std::string>& StoredRows() const { return m_rows; }
    int StoredRow(int dataRow) const;
    int ShownRow(int storedRow) const;

    // Shows the rows ordered by `column` (see GridSort.h); a column below 0 shows them as added.
    void Sort(int column, Qt::SortOrder order);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<std::string> m_rows;
    std::vector<int> m_order; // shown row -> index in m_rows; empty while rows show as added
    int m_announced = 0;
    int m_columnCount = 0;
    QStringList m_headers;
};

// The text of one cell of a tab-joined row: empty when the row has fewer cells.
std::string_view CellOf(std::string_view rowText, int column);
