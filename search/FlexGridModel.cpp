#include "search/FlexGridModel.h"

#include "platform/Text.h"
#include "search/GridSort.h"

#include <algorithm>

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void FlexGridModel::SetDataRowCount(int count) {
    beginResetModel();
    m_rows.resize(static_cast<std::size_t>(std::max(count, 0)));
    m_order.clear();
    m_announced = DataRowCount();
    endResetModel();
}

void FlexGridModel::SetColumnCount(int count) {
    if (count == m_columnCount)
        return;
    beginResetModel();
    m_columnCount = std::max(count, 0);
    endResetModel();
}

void FlexGridModel::SetHeaders(const QStringList& headers) {
    m_headers = headers;
    emit headerDataChanged(Qt::Horizontal, 0, std::max(m_columnCount - 1, 0));
}

void FlexGridModel::Append(std::string rowText) {
    if (!m_order.empty())
        m_order.push_back(DataRowCount());
    m_rows.push_back(std::move(rowText));
}

void FlexGridModel::Insert(int dataRow, std::string rowText) {
    Announce();
    dataRow = std::clamp(dataRow, 0, DataRowCount());
    beginInsertRows(QModelIndex(), dataRow, dataRow);
    if (m_order.empty()) {
        m_rows.insert(m_rows.begin() + dataRow, std::move(rowText));
    } else {
        m_order.insert(m_order.begin() + dataRow, DataRowCount());
        m_rows.push_back(std::move(rowText));
    }
    m_announced = DataRowCount();
    endInsertRows();
}

void FlexGridModel::Announce() {
    if (m_announced == DataRowCount())
        return;
    beginInsertRows(QModelIndex(), m_announced, DataRowCount() - 1);
    m_announced = DataRowCount();
    endInsertRows();
}

int FlexGridModel::StoredRow(int dataRow) const {
    return m_order.empty() ? dataRow : m_order[static_cast<std::size_t>(dataRow)];
}

int FlexGridModel::ShownRow(int storedRow) const {
    if (m_order.empty())
        return storedRow;
    return static_cast<int>(std::find(m_order.begin(), m_order.end(), storedRow) - m_order.begin());
}

std::string_view FlexGridModel::RowText(int dataRow) const {
    if (dataRow < 0 || dataRow >= DataRowCount())
        return {};
    return m_rows[static_cast<std::size_t>(StoredRow(dataRow))];
}

std::string FlexGridModel::Cell(int dataRow, int column) const {
    if (column < 0 || column >= m_columnCount)
        return {};
    return std::string(CellOf(RowText(dataRow), column));
}

void FlexGridModel::Sort(int column, Qt::SortOrder order) {
    Announce();
    beginResetModel();
    if (column < 0 || column >= m_columnCount)
        m_order.clear();
    else
        m_order = SortedRowOrder(m_rows, column, order);
    endResetModel();
}

int FlexGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_announced;
}

int FlexGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columnCount;
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return ToQt(Cell(index.row(), index.column()));
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return section < m_headers.size() ? m_headers[section] : QString();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    if (role == Qt::InitialSortOrderRole) // a first click sorts A to Z
        return static_cast<int>(Qt::AscendingOrder);
    return {};
}

std::string_view CellOf(std::string_view rowText, int column) {
    for (int skipped = 0; skipped < column; ++skipped) {
        const auto tab = rowText.find('\t');
        if (tab == std::string_view::npos)
            return {};
        rowText.remove_prefix(tab + 1);
    }
    return rowText.substr(0, rowText.find('\t'));
}
