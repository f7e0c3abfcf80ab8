#include "ProgressWindow.h"

#include "Design.h"
#include "ProgressChart.h"
#include "QuizRun.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

using history::Entry;
using history::RunKind;

namespace {
QString percentText(const Entry &e) {
    const std::optional<double> percent = e.percent();
    return percent ? QStringLiteral("%1%").arg(*percent, 0, 'f', 1) : design::uiText("—");
}

QStringList rowTexts(const Entry &e) {
    return {e.when.toString(QStringLiteral("yyyy/MM/dd HH:mm")),
            progress::kindName(e.kind),
            QString::number(e.questions),
            QString::number(e.correct),
            QString::number(e.fourChoiceCorrect),
            QString::number(e.trueFalseCorrect),
            QString::number(e.unanswered),
            QString::number(e.score),
            percentText(e),
            quizrun::formatElapsed(e.elapsedSeconds)};
}
} // namespace

ProgressWindow::ProgressWindow(const QString &section, QWidget *parent)
    : QDialog(parent), m_history(history::read()) {
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(design::uiText("成績の推移"));
    setSizeGripEnabled(true);
    auto *sectionLabel = new QLabel(design::uiText("問題名(&S)"), this);
    sectionBox = new QComboBox(this);
    sectionBox->setObjectName(QStringLiteral("sectionBox"));
    sectionBox->setMinimumContentsLength(16);
    sectionLabel->setBuddy(sectionBox);
    noticeLabel = new QLabel(this);
    noticeLabel->setObjectName(QStringLiteral("noticeLabel"));
    noticeLabel->setTextFormat(Qt::PlainText);
    emptyLabel = new QLabel(design::uiText("まだ記録がありません"), this);
    emptyLabel->setObjectName(QStringLiteral("emptyLabel"));
    emptyLabel->setAlignment(Qt::AlignCenter);
    chart = new ProgressChart(this);
    chart->setObjectName(QStringLiteral("chart"));
    runTable = new QTableWidget(this);
    runTable->setObjectName(QStringLiteral("runTable"));
    runTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    runTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    runTable->setTabKeyNavigation(false); // Tab leaves the table; the arrows walk it
    runTable->setAccessibleName(design::uiText("成績の一覧"));
    runTable->verticalHeader()->hide();
    runTable->viewport()->installEventFilter(this); // its width shared among the columns
    auto *runs = new QSplitter(Qt::Vertical, this);
    runs->addWidget(chart);
    runs->addWidget(runTable);
    runs->setStretchFactor(0, 3);
    runs->setStretchFactor(1, 2);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(emptyLabel);
    m_pages->addWidget(runs);

    auto *top = new QHBoxLayout;
    top->addWidget(sectionLabel);
    top->addWidget(sectionBox);
    top->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(noticeLabel);
    layout->addWidget(m_pages, 1);
    design::resizeWithinScreen(this, QSize(780, 620));

    showNotice();
    fillSectionBox(section);
    connect(sectionBox, &QComboBox::currentTextChanged, this, &ProgressWindow::showSection);
    showSection(sectionBox->currentText());
}

// The sections of the history and the one asked for; that one, else the latest run's, chosen.
void ProgressWindow::fillSectionBox(const QString &section) {
    QStringList names = history::sections(m_history.entries);
    if (!section.isEmpty() && !names.contains(section)) {
        names.append(section);
        std::sort(names.begin(), names.end());
    }
    sectionBox->addItems(names);
    const auto latest =
        std::max_element(m_history.entries.cbegin(), m_history.entries.cend(),
                         [](const Entry &a, const Entry &b) { return a.when < b.when; });
    if (!section.isEmpty())
        sectionBox->setCurrentText(section);
    else if (latest != m_history.entries.cend())
        sectionBox->setCurrentText(latest->section);
}

void ProgressWindow::showNotice() {
    QStringList notes;
    if (!m_history.error.isEmpty())
        notes.append(m_history.error);
    if (m_history.skippedLines > 0)
        notes.append(
            design::uiText("壊れた行 %1 行を読み飛ばしました").arg(m_history.skippedLines));
    if (m_history.olderLinesLeftOut)
        notes.append(design::uiText("履歴が大きいため、古い記録は読み込んでいません"));
    noticeLabel->setText(notes.join(QLatin1Char('\n')));
    noticeLabel->setVisible(!notes.isEmpty());
}

void ProgressWindow::showSection(const QString &section) {
    QList<Entry> entries;
    std::copy_if(m_history.entries.cbegin(), m_history.entries.cend(), std::back_inserter(entries),
                 [&](const Entry &e) { return e.section == section; });
    // The file is in the order of the runs, unless the computer's clock was changed.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.when < b.when; });
    m_pages->setCurrentWidget(entries.isEmpty() ? static_cast<QWidget *>(emptyLabel)
                                                : m_pages->widget(1));
    chart->setRuns(entries);
    std::reverse(entries.begin(), entries.end());
    showTable(entries);
}

void ProgressWindow::showTable(const QList<Entry> &newestFirst) {
    const QStringList headers{design::uiText("日時"),       design::uiText("種類"),
                              design::uiText("問題数"),     design::uiText("総正解数"),
                              design::uiText("4択問題"),    design::uiText("○×問題"),
                              design::uiText("未回答問題"), design::uiText("総得点"),
                              design::uiText("得点率"),     design::uiText("経過時間")};
    runTable->clear();
    runTable->setColumnCount(static_cast<int>(headers.size()));
    runTable->setHorizontalHeaderLabels(headers);
    runTable->setRowCount(static_cast<int>(newestFirst.size()));
    for (int row = 0; row < newestFirst.size(); ++row) {
        const QStringList texts = rowTexts(newestFirst[row]);
        for (int column = 0; column < texts.size(); ++column) {
            auto *item = new QTableWidgetItem(texts[column]);
            if (column >= 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            runTable->setItem(row, column, item);
        }
    }
    runTable->resizeColumnsToContents();
    m_contentWidths.clear();
    for (int column = 0; column < runTable->columnCount(); ++column)
        m_contentWidths.append(runTable->columnWidth(column));
    fillTableWidth();
}

// Each column as wide as its contents, and the room left over shared among them, so the
// table fills its width as a spreadsheet's would.
void ProgressWindow::fillTableWidth() {
    if (m_contentWidths.isEmpty())
        return;
    const int used = std::accumulate(m_contentWidths.cbegin(), m_contentWidths.cend(), 0);
    const int spare = std::max(0, runTable->viewport()->width() - used);
    const auto columns = static_cast<int>(m_contentWidths.size());
    for (int column = 0; column < columns; ++column)
        runTable->setColumnWidth(column, m_contentWidths[column] + spare / columns);
}

bool ProgressWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == runTable->viewport() && event->type() == QEvent::Resize)
        fillTableWidth();
    return QDialog::eventFilter(watched, event);
}

namespace progress {
void showWindow(QWidget *parent, const QString &section) {
    ProgressWindow window(section, parent);
    window.exec();
}
} // namespace progress
