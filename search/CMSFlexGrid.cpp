#include "search/CMSFlexGrid.h"

#include "platform/ControlId.h"
#include "platform/Text.h"
#include "platform/WaitCursor.h"
#include "search/CellTextWidths.h"
#include "search/FlexGridModel.h"
#include "search/GridCsvExport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Room for the cell margins around a header text.
constexpr int kColumnPadding = 8;
} // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QTableView(parent), m_model(new FlexGridModel(this)) {
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // No arrow until a header is clicked: the rows show in the order they were added.
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);

    connect(this, &QAbstractItemView::clicked, this, &CMSFlexGrid::Click);
    connect(this, &QAbstractItemView::doubleClicked, this, &CMSFlexGrid::DblClick);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &CMSFlexGrid::RowChanged);
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this] { SortAgain(); });
    AddCommands();

    // As the window defines it: one header row and one empty data row.
    SetRows(2);
}

CMSFlexGrid::~CMSFlexGrid() = default;

void CMSFlexGrid::AddCommands() {
    auto* copy = new QAction(QStringLiteral("&Copy"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    copy->setProperty(kControlIdProperty, kCopyRowsCommand);
    connect(copy, &QAction::triggered, this, &CMSFlexGrid::CopySelectedRows);
    auto* exportCsv = new QAction(QStringLiteral("&Export to CSV\u2026"), this);
    exportCsv->setProperty(kControlIdProperty, kExportCsvCommand);
    connect(exportCsv, &QAction::triggered, this, [this] { ExportGridAsCsv(*this); });
    addAction(copy);
    addAction(exportCsv);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event) {
    // A click on the empty space below the rows would clear the selection and leave the current
    // row, the one Details, Edit and Delete act on, unmarked.
    if (!indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

long CMSFlexGrid::Rows() const {
    return m_model->DataRowCount() + 1;
}

void CMSFlexGrid::SetRows(long rows) {
    if (currentIndex().isValid())
        m_keptRow = currentIndex().row();
    m_textWidths.reset();
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
        m_textWidths.reset(); // the rows measured are no longer the first ones
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
    m_headerWidths.clear();
    for (int column = 0; column < headers.size(); ++column) {
        m_headerWidths.push_back(fontMetrics().horizontalAdvance(headers[column]) + kColumnPadding);
        SetColWidth(column, m_headerWidths.back());
    }
    m_fittedWidths = m_headerWidths;
}

void CMSFlexGrid::MeasureAddedRows() {
    if (!m_textWidths)
        m_textWidths = std::make_unique<CellTextWidths>(QFontMetricsF(font()));
    m_textWidths->Widest(m_model->StoredRows(), m_model->columnCount());
}

void CMSFlexGrid::FitColumnsToTexts(int maximum) {
    MeasureAddedRows();
    const std::vector<double>& widest = m_textWidths->Widest(m_model->StoredRows(), m_model->columnCount());
    // What a cell adds to its text: the delegate's margins either side and the grid line.
    const int cellPadding = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1;
    m_headerWidths.resize(static_cast<std::size_t>(m_model->columnCount()), 0);
    m_fittedWidths.resize(m_headerWidths.size(), 0);
    for (int column = 0; column < m_model->columnCount(); ++column) {
        if (isColumnHidden(column))
            continue;
        const auto index = static_cast<std::size_t>(column);
        const int text = static_cast<int>(std::ceil(widest[index])) + cellPadding;
        const int header = std::max(m_headerWidths[index], HeaderTextWidth(column));
        m_fittedWidths[index] = std::max(header, std::min(text, maximum));
        setColumnWidth(column, m_fittedWidths[index]);
    }
}

// The header's text without its blanks, its margins and room for the sort arrow: the blanks of a
// padded header give that room already, a bare one needs it beside its text.
int CMSFlexGrid::HeaderTextWidth(int column) const {
    const QHeaderView& header = *horizontalHeader();
    const QString text = m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const QFontMetrics metrics = header.fontMetrics();
    return header.sectionSizeHint(column) - metrics.horizontalAdvance(text) +
           metrics.horizontalAdvance(text.trimmed());
}

int CMSFlexGrid::FullWidth() const {
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    // The widths fitted, not the last column's stretched one.
    for (const int column : ShownColumns())
        width += static_cast<std::size_t>(column) < m_fittedWidths.size() ? m_fittedWidths[column]
                                                                          : columnWidth(column);
    return width;
}

int CMSFlexGrid::FullHeight(bool withScrollBar) const {
    const long long rows = m_model->rowCount();
    long long height = 2LL * frameWidth() + horizontalHeader()->sizeHint().height() +
                       rows * verticalHeader()->defaultSectionSize();
    if (withScrollBar)
        height += horizontalScrollBar()->sizeHint().height();
    return static_cast<int>(std::min<long long>(height, std::numeric_limits<int>::max() / 2));
}

void CMSFlexGrid::FitLastColumnInto(int gridWidth) {
    const std::vector<int> columns = ShownColumns();
    if (columns.empty())
        return;
    const int last = columns.back();
    const int fitted =
        static_cast<std::size_t>(last) < m_fittedWidths.size() ? m_fittedWidths[last] : columnWidth(last);
    const int left = gridWidth - (FullWidth() - fitted);
    if (left >= horizontalHeader()->minimumSectionSize())
        setColumnWidth(last, std::min(fitted, left));
}

std::vector<int> CMSFlexGrid::ShownColumns() const {
    std::vector<int> columns;
    for (int column = 0; column < m_model->columnCount(); ++column) {
        if (!isColumnHidden(column))
            columns.push_back(column);
    }
    return columns;
}

void CMSFlexGrid::SortByColumn(int column, Qt::SortOrder order) {
    if (column == SortColumn() && order == horizontalHeader()->sortIndicatorOrder())
        SortAgain();
    else
        horizontalHeader()->setSortIndicator(column, order); // sorts through sortIndicatorChanged
}

void CMSFlexGrid::SortAgain() {
    const WaitCursor waiting;
    const QModelIndex current = currentIndex();
    const int storedRow = current.isValid() ? m_model->StoredRow(current.row()) : -1;
    // A large selection would be carried through the new order index by index; it is dropped.
    selectionModel()->clear();
    m_model->Sort(SortColumn(), horizontalHeader()->sortIndicatorOrder());
    if (storedRow >= 0)
        SetRow(m_model->ShownRow(storedRow) + 1);
    else
        KeepCurrentRow();
}

int CMSFlexGrid::SortColumn() const {
    const int column = horizontalHeader()->sortIndicatorSection();
    return column < m_model->columnCount() ? column : -1;
}

long CMSFlexGrid::FindRow(long column, const std::string& text) const {
    for (int row = 0; row < m_model->DataRowCount(); ++row) {
        if (CellOf(m_model->RowText(row), static_cast<int>(column)) == text)
            return row + 1;
    }
    return 0;
}

void CMSFlexGrid::SetRow(long row) {
    if (row < 1 || row > m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(static_cast<int>(row) - 1, FirstShownColumn());
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

std::string CMSFlexGrid::SelectedRowsText() const {
    std::vector<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty() && Row() > 0)
        rows.push_back(static_cast<int>(Row()) - 1);

    const std::vector<int> columns = ShownColumns();
    std::string text;
    for (const int row : rows) {
        if (!text.empty())
            text += '\n';
        const std::string_view rowText = m_model->RowText(row);
        for (std::size_t index = 0; index < columns.size(); ++index) {
            if (index > 0)
                text += '\t';
            const std::size_t start = text.size();
            text += CellOf(rowText, columns[index]);
            // A line break inside a cell would start a new row where the text is pasted.
            std::replace_if(
                text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
                [](char c) { return c == '\r' || c == '\n'; }, ' ');
        }
    }
    return text;
}

void CMSFlexGrid::CopySelectedRows() {
    QApplication::clipboard()->setText(ToQt(SelectedRowsText()));
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
