#pragma once

#include "History.h"

#include <QDialog>

class ProgressChart;
class QComboBox;
class QLabel;
class QStackedWidget;
class TextTable;

// 成績の推移: for the section chosen in a box, the score as a percentage of the maximum over
// time as a line chart, and the runs newest first in a table, from the history file.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    // Reads the history; section is the one chosen first, when given.
    explicit ProgressWindow(const QString &section, QWidget *parent = nullptr);

public slots:
    void showSection(const QString &section);

private:
    // The controls, each named (objectName) as here.
    QComboBox *sectionBox = nullptr;
    QLabel *noticeLabel = nullptr; // damaged lines skipped, a file that cannot be read
    QLabel *emptyLabel = nullptr;  // shown instead of the chart when the section has no runs
    ProgressChart *chart = nullptr;
    TextTable *runTable = nullptr;

    void fillSectionBox(const QString &section);
    void showNotice();

    history::ReadResult m_history;
    QList<history::Entry> m_runs; // of the section shown, oldest first
    QStackedWidget *m_pages = nullptr;
};

namespace progress {
// Shows the window modal over parent.
void showWindow(QWidget *parent, const QString &section);
} // namespace progress
