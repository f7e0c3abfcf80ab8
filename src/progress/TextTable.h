#pragma once

#include <QList>
#include <QString>
#include <QTableView>

#include <functional>

// A read-only table of texts over rows its owner keeps: each cell's text is made only when the
// table draws or measures it, so thousands of rows open as fast as a screenful. The columns
// share the table's width as a spreadsheet's would: each as wide as its contents, and the room
// left over shared among them. Rows are selected whole; Tab leaves the table, the arrows walk
// it.
class TextTable : public QTableView {
    Q_OBJECT
public:
    struct Column {
        QString header;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };
    // The text of a row's cell in a column.
    using CellText = std::function<QString(int row, int column)>;

    explicit TextTable(const QList<Column> &columns, QWidget *parent = nullptr);

    // Shows rowCount rows whose texts text gives, until the next call; the widths fitted.
    void setRows(int rowCount, CellText text);

protected:
    bool viewportEvent(QEvent *event) override;

private:
    class Model;
    Model *m_model;
    QList<int> m_contentWidths; // of the columns, measured once per setRows

    int contentWidth(int column) const;
    void fillWidth();
};
