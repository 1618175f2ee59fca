#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <string>
#include <vector>

// The cells of the result grid: each data row is kept as the one tab-joined text it was added
// with and cut into cells only when a cell is read, so a fill of 100,000 rows makes 100,000
// strings, not 900,000. Rows added by Append reach attached views on Announce, in one batch.
class FlexGridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FlexGridModel(QObject* parent);

    int DataRowCount() const { return static_cast<int>(m_rows.size()); }
    void SetDataRowCount(int count); // drops or adds empty rows
    void SetColumnCount(int count);
    int ColumnCount() const { return m_columnCount; }
    void SetHeaders(const QStringList& headers);

    void Append(std::string rowText);
    void Insert(int dataRow, std::string rowText); // shown at once
    // Tells attached views about rows appended since the last call.
    void Announce();
    std::string Cell(int dataRow, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<std::string> m_rows;
    int m_announced = 0;
    int m_columnCount = 0;
    QStringList m_headers;
};
