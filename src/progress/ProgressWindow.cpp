#include "ProgressWindow.h"

#include "Design.h"
#include "ProgressChart.h"
#include "QuizRun.h"
#include "TextTable.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

using history::Entry;
using history::RunKind;

namespace {
QString percentText(const Entry &e) {
    const std::optional<double> percent = e.percent();
    return percent ? QStringLiteral("%1%").arg(*percent, 0, 'f', 1) : design::uiText("—");
}

// The run table's columns: the header, the text of a run, and where it stands in its cell.
struct RunColumn {
    const char *header;
    QString (*text)(const Entry &);
    Qt::Alignment alignment;
};
constexpr Qt::Alignment kWords = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCount = Qt::AlignRight | Qt::AlignVCenter;
const RunColumn kRunColumns[] = {
    {"日時", [](const Entry &e) { return e.when.toString(QStringLiteral("yyyy/MM/dd HH:mm")); },
     kWords},
    {"種類", [](const Entry &e) { return progress::kindName(e.kind); }, kWords},
    {"問題数", [](const Entry &e) { return QString::number(e.questions); }, kCount},
    {"総正解数", [](const Entry &e) { return QString::number(e.correct); }, kCount},
    {"4択問題", [](const Entry &e) { return QString::number(e.fourChoiceCorrect); }, kCount},
    {"○×問題", [](const Entry &e) { return QString::number(e.trueFalseCorrect); }, kCount},
    {"未回答問題", [](const Entry &e) { return QString::number(e.unanswered); }, kCount},
    {"総得点", [](const Entry &e) { return QString::number(e.score); }, kCount},
    {"得点率", percentText, kCount},
    {"経過時間", [](const Entry &e) { return quizrun::formatElapsed(e.elapsedSeconds); }, kCount},
};

QList<TextTable::Column> runTableColumns() {
    QList<TextTable::Column> columns;
    for (const RunColumn &c : kRunColumns)
        columns.append({design::uiText(c.header), c.alignment});
    return columns;
}
} // namespace

ProgressWindow::ProgressWindow(const QString &section, const QString &quizFolder, QWidget *parent)
    : QDialog(parent), m_history(history::read()), m_quizFolder(quizFolder),
      m_answers(answerlog::read()) {
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
    runTable = new TextTable(runTableColumns(), this);
    runTable->setObjectName(QStringLiteral("runTable"));
    runTable->setAccessibleName(design::uiText("成績の一覧"));
    auto *runs = new QSplitter(Qt::Vertical, this);
    runs->addWidget(chart);
    runs->addWidget(runTable);
    runs->setStretchFactor(0, 3);
    runs->setStretchFactor(1, 2);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(emptyLabel);
    m_pages->addWidget(runs);
    // The answers may name misses of a section whose runs the history no longer has.
    auto *parts = new QSplitter(Qt::Vertical, this);
    parts->addWidget(m_pages);
    parts->addWidget(createMissedPart());
    parts->setStretchFactor(0, 5);
    parts->setStretchFactor(1, 2);

    auto *top = new QHBoxLayout;
    top->addWidget(sectionLabel);
    top->addWidget(sectionBox);
    top->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(noticeLabel);
    layout->addWidget(parts, 1);
    design::resizeWithinScreen(this, QSize(780, 760));

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

// The section's questions missed most often, and the review of them when it is offered.
QWidget *ProgressWindow::createMissedPart() {
    auto *part = new QWidget(this);
    auto *caption = new QLabel(design::uiText("よく間違える問題(&M)"), part);
    QList<TextTable::Column> columns;
    for (const QString &header : mostmissed::headers())
        columns.append({header});
    columns[0].alignment = columns[1].alignment = Qt::AlignRight | Qt::AlignVCenter;
    missedTable = new TextTable(columns, part);
    missedTable->setObjectName(QStringLiteral("missedTable"));
    missedTable->setAccessibleName(design::uiText("よく間違える問題の一覧"));
    caption->setBuddy(missedTable);
    reviewButton = new QPushButton(design::uiText("これらの問題を復習(&R)"), part);
    reviewButton->setObjectName(QStringLiteral("reviewButton"));
    reviewButton->hide();
    connect(reviewButton, &QPushButton::clicked, this, [this] {
        m_reviewRequested = sectionBox->currentText();
        accept();
    });
    auto *top = new QHBoxLayout;
    top->addWidget(caption);
    top->addStretch();
    top->addWidget(reviewButton);
    auto *layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(missedTable);
    return part;
}

void ProgressWindow::offerReview() {
    reviewButton->show();
    reviewButton->setEnabled(!m_missed.isEmpty());
}

void ProgressWindow::showMissed(const QString &section) {
    m_missed = m_quizFolder.isEmpty() ? QList<mostmissed::Row>()
                                      : mostmissed::rows(m_answers.records, m_quizFolder, section);
    missedTable->setRows(int(m_missed.size()), [this](int row, int column) {
        return mostmissed::texts(m_missed[row])[column];
    });
    reviewButton->setEnabled(!m_missed.isEmpty());
}

void ProgressWindow::showNotice() {
    QStringList notes;
    for (const QString &error : {m_history.error, m_answers.error})
        if (!error.isEmpty())
            notes.append(error);
    if (m_answers.skippedLines > 0)
        notes.append(design::uiText("答えの記録の壊れた行 %1 行を読み飛ばしました")
                         .arg(m_answers.skippedLines));
    if (m_history.skippedLines > 0)
        notes.append(
            design::uiText("壊れた行 %1 行を読み飛ばしました").arg(m_history.skippedLines));
    if (m_history.olderLinesLeftOut)
        notes.append(design::uiText("履歴が大きいため、古い記録は読み込んでいません"));
    if (m_answers.olderLinesLeftOut)
        notes.append(design::uiText("答えの記録が大きいため、古い記録は読み込んでいません"));
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
    m_runs = std::move(entries);
    const auto last = static_cast<int>(m_runs.size()) - 1;
    runTable->setRows(last + 1, [this, last](int row, int column) { // newest first
        return kRunColumns[column].text(m_runs[last - row]);
    });
    showMissed(section);
}

namespace progress {
QString showWindow(QWidget *parent, const QString &section, const QString &quizFolder,
                   bool reviewOffered) {
    ProgressWindow window(section, quizFolder, parent);
    if (reviewOffered)
        window.offerReview();
    window.exec();
    return window.reviewRequested();
}
} // namespace progress
