#pragma once

#include "History.h"

#include <QDialog>

class ProgressChart;
class QComboBox;
class QLabel;
class QStackedWidget;
class QTableWidget;

// 成績の推移: for the section chosen in a box, the score as a percentage of the maximum over
// time as a line chart, and the runs newest first in a table, from the history file.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    // Reads the history; section is the one chosen first, when given.
    explicit ProgressWindow(const QString &section, QWidget *parent = nullptr);

public slots:
    void showSection(const QString &section);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The controls, each named (objectName) as here.
    QComboBox *sectionBox = nullptr;
    QLabel *noticeLabel = nullptr; // damaged lines skipped, a file that cannot be read
    QLabel *emptyLabel = nullptr;  // shown instead of the chart when the section has no runs
    ProgressChart *chart = nullptr;
    QTableWidget *runTable = nullptr;

    void fillSectionBox(const QString &section);
    void showNotice();
    void showTable(const QList<history::Entry> &newestFirst);
    void fillTableWidth();

    history::ReadResult m_history;
    QStackedWidget *m_pages = nullptr;
    QList<int> m_contentWidths; // of the table's columns, measured once per section
};

namespace progress {
// Shows the window modal over parent.
void showWindow(QWidget *parent, const QString &section);
} // namespace progress
