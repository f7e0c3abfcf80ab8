#pragma once

#include "AnswerLog.h"
#include "History.h"
#include "MostMissed.h"

#include <QDialog>

class ProgressChart;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class TextTable;

// 成績の推移: for the section chosen in a box, the score as a percentage of the maximum over
// time as a line chart, the runs newest first in a table, from the history file, and the
// questions of the section in the quiz folder missed most often, from the answer record.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    // Reads the history and the answer record; section is the one chosen first, when given.
    explicit ProgressWindow(const QString &section, const QString &quizFolder = QString(),
                            QWidget *parent = nullptr);
    // The window offers a review of the questions missed most often; when the learner asks
    // for one, the window closes and names the section here.
    void offerReview();
    QString reviewRequested() const { return m_reviewRequested; }

public slots:
    void showSection(const QString &section);

private:
    // The controls, each named (objectName) as here.
    QComboBox *sectionBox = nullptr;
    QLabel *noticeLabel = nullptr; // damaged lines skipped, a file that cannot be read
    QLabel *emptyLabel = nullptr;  // shown instead of the chart when the section has no runs
    ProgressChart *chart = nullptr;
    TextTable *runTable = nullptr;
    TextTable *missedTable = nullptr;
    QPushButton *reviewButton = nullptr;

    QWidget *createMissedPart();
    void fillSectionBox(const QString &section);
    void showNotice();
    void showMissed(const QString &section);

    history::ReadResult m_history;
    QList<history::Entry> m_runs; // of the section shown, oldest first
    QStackedWidget *m_pages = nullptr;
    QString m_quizFolder;
    answerlog::ReadResult m_answers;
    QList<mostmissed::Row> m_missed; // of the section shown
    QString m_reviewRequested;
};

namespace progress {
// Shows the window modal over parent; the missed questions are those of the quiz folder. With
// reviewOffered, returns the section whose questions missed most often the learner asked to
// review, or an empty text.
QString showWindow(QWidget *parent, const QString &section, const QString &quizFolder,
                   bool reviewOffered);
} // namespace progress
