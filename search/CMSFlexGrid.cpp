#include "search/CMSFlexGrid.h"

#include "search/FlexGridModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <algorithm>

namespace {
// Room for the cell margins around a header text.
constexpr int kColumnPadding = 8;
} // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QTableView(parent), m_model(new FlexGridModel(this)) {
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(this, &QAbstractItemView::clicked, this, &CMSFlexGrid::Click);
    connect(this, &QAbstractItemView::doubleClicked, this, &CMSFlexGrid::DblClick);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &CMSFlexGrid::RowChanged);

    // As the window defines it: one header row and one empty data row.
    SetRows(2);
}

CMSFlexGrid::~CMSFlexGrid() = default;

long CMSFlexGrid::Rows() const {
    return m_model->DataRowCount() + 1;
}

void CMSFlexGrid::SetRows(long rows) {
    if (currentIndex().isValid())
        m_keptRow = currentIndex().row();
    m_model->SetDataRowCount(static_cast<int>(rows) - 1);
    KeepCurrentRow();
}

void CMSFlexGrid::SetCols(long cols) {
    m_model->SetColumnCount(static_cast<int>(cols));
}

long CMSFlexGrid::Row() const {
    if (m_model->DataRowCount() == 0)
        return 0;
    // Rows appended but not yet shown are not current; the kept row is.
    const QModelIndex current = currentIndex();
    return (current.isValid() ? current.row() : std::min(m_keptRow, m_model->DataRowCount() - 1)) + 1;
}

void CMSFlexGrid::SetColWidth(long column, long width) {
    setColumnHidden(static_cast<int>(column), width <= 0);
    if (width > 0)
        setColumnWidth(static_cast<int>(column), static_cast<int>(width));
}

std::string CMSFlexGrid::TextMatrix(long row, long column) const {
    if (row == 0) {
        return m_model->headerData(static_cast<int>(column), Qt::Horizontal, Qt::DisplayRole)
            .toString()
            .toStdString();
    }
    return m_model->Cell(static_cast<int>(row) - 1, static_cast<int>(column));
}

void CMSFlexGrid::AddItem(const std::string& item, long index) {
    if (index < Rows()) {
        // Only an append can wait to be shown; an insertion shows the rows at once.
        m_model->Insert(static_cast<int>(std::max(index, 1L)) - 1, item);
        return;
    }
    m_model->Append(item);
}

void CMSFlexGrid::Refresh() {
    m_model->Announce();
    KeepCurrentRow();
    viewport()->update();
}

void CMSFlexGrid::SetFormatString(const QString& format) {
    const QStringList headers = format.split(QLatin1Char('|'));
    SetCols(headers.size());
    m_model->SetHeaders(headers);
    for (int column = 0; column < headers.size(); ++column)
        SetColWidth(column, fontMetrics().horizontalAdvance(headers[column]) + kColumnPadding);
}

void CMSFlexGrid::WidenColumnsToContents(int maximum) {
    for (int column = 0; column < m_model->columnCount(); ++column) {
        if (!isColumnHidden(column))
            setColumnWidth(column,
                           std::max(columnWidth(column), std::min(sizeHintForColumn(column), maximum)));
    }
}

QModelIndex CMSFlexGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // Home and End go to the first and last row, as in every list.
    const int column = currentIndex().isValid() ? currentIndex().column() : FirstShownColumn();
    if (action == MoveHome && m_model->rowCount() > 0)
        return m_model->index(0, column);
    if (action == MoveEnd && m_model->rowCount() > 0)
        return m_model->index(m_model->rowCount() - 1, column);
    return QTableView::moveCursor(action, modifiers);
}

void CMSFlexGrid::KeepCurrentRow() {
    const int shown = m_model->rowCount();
    if (shown == 0 || currentIndex().isValid())
        return;
    const int row = std::min(m_keptRow, shown - 1);
    selectionModel()->setCurrentIndex(m_model->index(row, FirstShownColumn()),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int CMSFlexGrid::FirstShownColumn() const {
    for (int column = 0; column < m_model->columnCount(); ++column) {
        if (!isColumnHidden(column))
            return column;
    }
    return 0;
}
