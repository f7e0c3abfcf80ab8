#include "TextTable.h"

#include <QAbstractTableModel>
#include <QEvent>
#include <QHeaderView>

#include <algorithm>
#include <functional>
#include <numeric>
#include <utility>
#include <vector>

namespace {
// How many of a column's texts are measured: those likely widest by a rough count, of which the
// widest as drawn sets the width. Measuring is what takes the time, a view fitting a column to
// its contents measures a thousand texts.
constexpr std::size_t kMeasuredTexts = 8;

// How wide a text is in half-width characters, roughly: a full-width one counts two.
qsizetype roughWidth(const QString &text) {
    qsizetype width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        width += u >= 0x1100 && !(u >= 0xFF61 && u <= 0xFFDC) ? 2 : 1; // half-width kana count one
    }
    return width;
}
} // namespace

class TextTable::Model : public QAbstractTableModel {
public:
    Model(const QList<Column> &columns, QObject *parent)
        : QAbstractTableModel(parent), m_columns(columns) {}

    void setRows(int rowCount, CellText text) {
        beginResetModel();
        m_rowCount = rowCount;
        m_text = std::move(text);
        endResetModel();
    }
    QString text(int row, int column) const { return m_text(row, column); }

    int rowCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : m_rowCount;
    }
    int columnCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
    }
    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return m_text(index.row(), index.column());
        if (role == Qt::TextAlignmentRole)
            return static_cast<int>(m_columns[index.column()].alignment);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return m_columns.value(section).header;
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    QList<Column> m_columns;
    int m_rowCount = 0;
    CellText m_text;
};

TextTable::TextTable(const QList<Column> &columns, QWidget *parent)
    : QTableView(parent), m_model(new Model(columns, this)) {
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
}

void TextTable::setRows(int rowCount, CellText text) {
    m_model->setRows(rowCount, std::move(text));
    m_contentWidths.clear();
    for (int column = 0; column < m_model->columnCount(); ++column)
        m_contentWidths.append(contentWidth(column));
    fillWidth();
}

// The header's width, or that of the widest of the column's texts as the table draws them.
int TextTable::contentWidth(int column) const {
    std::vector<std::pair<qsizetype, int>> widths; // rough width, row
    widths.reserve(m_model->rowCount());
    for (int row = 0; row < m_model->rowCount(); ++row)
        widths.emplace_back(roughWidth(m_model->text(row, column)), row);
    const auto measured = widths.begin() + std::min(kMeasuredTexts, widths.size());
    std::partial_sort(widths.begin(), measured, widths.end(), std::greater<>());
    int width = 0;
    for (auto w = widths.begin(); w != measured; ++w)
        width = std::max(width, sizeHintForIndex(m_model->index(w->second, column)).width());
    if (showGrid() && !widths.empty())
        ++width; // as a view fitting a column to its contents leaves room for the grid line
    return std::max(width, horizontalHeader()->sectionSizeHint(column));
}

// Each column as wide as its contents, and the room left over shared among them.
void TextTable::fillWidth() {
    if (m_contentWidths.isEmpty())
        return;
    const int used = std::accumulate(m_contentWidths.cbegin(), m_contentWidths.cend(), 0);
    const int spare = std::max(0, viewport()->width() - used);
    const auto columns = static_cast<int>(m_contentWidths.size());
    for (int column = 0; column < columns; ++column)
        setColumnWidth(column, m_contentWidths[column] + spare / columns);
}

bool TextTable::viewportEvent(QEvent *event) {
    if (event->type() == QEvent::Resize)
        fillWidth();
    return QTableView::viewportEvent(event);
}
