#include "search/FlexGridModel.h"

#include "platform/Text.h"

#include <algorithm>
#include <string_view>

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void FlexGridModel::SetDataRowCount(int count) {
    beginResetModel();
    m_rows.resize(static_cast<std::size_t>(std::max(count, 0)));
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
    m_rows.push_back(std::move(rowText));
}

void FlexGridModel::Insert(int dataRow, std::string rowText) {
    Announce();
    dataRow = std::clamp(dataRow, 0, DataRowCount());
    beginInsertRows(QModelIndex(), dataRow, dataRow);
    m_rows.insert(m_rows.begin() + dataRow, std::move(rowText));
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

std::string FlexGridModel::Cell(int dataRow, int column) const {
    if (dataRow < 0 || dataRow >= DataRowCount() || column < 0 || column >= m_columnCount)
        return {};
    std::string_view rest = m_rows[static_cast<std::size_t>(dataRow)];
    for (int skipped = 0; skipped < column; ++skipped) {
        const auto tab = rest.find('\t');
        if (tab == std::string_view::npos)
            return {};
        rest.remove_prefix(tab + 1);
    }
    return std::string(rest.substr(0, rest.find('\t')));
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
    return {};
}
