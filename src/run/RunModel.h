#pragma once

#include "AnswerLog.h"
#include "ClassRun.h"
#include "History.h"
#include "QuizRecord.h"
#include "RunJournal.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class QuizState;

// One learner's run of the questions in the shared state, without any widget: the answers and
// their marks, the clock and its 2 h 30 min limit, pausing, the journal a run resumes from
// after a crash, and the end once the results are shown. The main window renders it and
// forwards the learner's input.
class RunModel : public QObject {
    Q_OBJECT
public:
    // clock: seconds since midnight.
    RunModel(QuizState &state, std::function<double()> clock, QObject *parent = nullptr);
    // Where the journal reads the number (from 1) of the question on show; 1 until set.
    void setQuestionOnShow(std::function<int()> questionOnShow);
    // The date and time the records of a finished run take; the computer's until set.
    void setCalendar(std::function<QDateTime()> calendar);
    QDateTime now() const { return m_calendar(); }

    // How the class folder's file names a question: the start of its text, plain.
    void setQuestionStart(std::function<QString(const QString &html)> questionStart);
    // Where each finished run is sent for the teacher, under the learner's name; an empty
    // folder or name: nowhere.
    void setClassFolder(const QString &learner, const QString &folder);

    // A practice run shows each answer's mark at once; its records say so.
    void setPractice(bool practice) { m_practice = practice; }
    bool isPractice() const { return m_practice; }
    // The kind of the run as its records name it.
    history::RunKind kind() const;

    // A run of the questions now in the state: every answer cleared, the clock from zero,
    // running unless paused (the learner is in the editor).
    void start(bool paused);
    // Where an interrupted run stood: its answers, marked again against the quiz (the
    // journal's own marks are not trusted), and its time.
    void resumeFrom(const runjournal::Journal &journal);
    // The results are shown: nothing more is answered, the journal is dropped, and the run's
    // line is added to the history, its answers to the answer record and its file to the class
    // folder, once (not without a quiz file). Returns what could not be written, in sentences
    // for the learner (the answer record and the class folder only the first time), or an
    // empty text.
    QString finish();
    // The run as the class folder receives it, its answers those of the answer record.
    classrun::Run classRun(const QDateTime &when, const QList<answerlog::Record> &answers) const;
    // The answer record's lines of the run as of when: each scored question's own number,
    // fingerprint, the answer given and its mark.
    QList<answerlog::Record> answerRecords(const QDateTime &when) const;
    // The run's history line as of when: the figures the results show, the section of the quiz
    // file and the time on the run's clock.
    history::Entry historyEntry(const QDateTime &when) const;
    // No run any more (a retry given up for the whole quiz): the clock stops and is not shown.
    void abandon();
    // Started, its clock shown, and not yet at its results.
    bool isUnderWay() const { return m_clockShown && !m_over; }
    bool isOver() const { return m_over; }

    // The clock stands still while the learner is away; the time away still counts, as it
    // always has: only the display stops.
    void pause();
    void goOn();
    bool isClockRunning() const { return m_clockTimer->isActive(); }
    QTimer *clockTimer() { return m_clockTimer; }
    double elapsedSeconds() const;

    // The learner's answer to the question at index, marked; false when the run is over.
    bool recordAnswer(qsizetype index, const QString &given);
    // A choice picked from the list stands as the answer until it is recorded.
    bool pickAnswer(qsizetype index, const QString &given);
    // In practice the first answer marked stands: its mark and the correct answer were shown.
    bool isAnswerFixed(qsizetype index) const;

    // These questions of the whole quiz (indexes into it), in this order, take its place in the
    // state for a run of the kind; the whole quiz is kept to come back to. The report and the
    // records keep each question's own number. The window starts the run.
    void takeQuestions(const QList<qsizetype> &wholeQuizIndexes, history::RunKind kind);
    // The whole quiz in a random order, for a run of its kind.
    void shuffle();
    // Another try at these questions (indexes into the questions of the run that ended).
    void retry(const QList<qsizetype> &missed);
    // The whole quiz back in its order in the state and no run; false when it was there.
    bool wholeQuizBack();
    bool hasWholeQuizKept() const { return m_wholeQuiz.has_value(); }
    // Another quiz was loaded: there is no whole quiz to come back to.
    void forgetWholeQuiz();
    // Where in the whole quiz each question of the run stands; empty: the whole quiz in order.
    const QList<qsizetype> &order() const { return m_order; }

    // The journal of this quiz file, kept from now on; stopJournal until a run starts.
    void journalTo(const runjournal::QuizIdentity &quiz);
    void stopJournal() { m_journaling = false; }
    // At once when an answer changed, otherwise (the question on show, the time) soon.
    void keepJournal();
    void writeJournal();
    void endJournal();

signals:
    void clockChanged(double elapsedSeconds, bool paused);
    void timeUp();
    // The journal could not be written: resuming is off; said once a run.
    void journalFailed(const QString &problem);

public slots:
    void tick();

private:
    QuizState &m_state;
    std::function<double()> m_clock;
    std::function<int()> m_questionOnShow;
    std::function<QDateTime()> m_calendar;
    std::function<QString(const QString &)> m_questionStart;
    bool m_clockShown = false; // from the start until the run is abandoned
    bool m_over = false;       // its results were shown
    QTimer *m_clockTimer = nullptr;
    bool m_journaling = false;
    bool m_journalFailureTold = false;
    runjournal::QuizIdentity m_journalIdentity;
    runjournal::Journal m_lastJournaled;
    QTimer m_journalTimer;
    std::optional<QList<QuizRecord>> m_wholeQuiz; // while a part of it, or another order, runs
    QList<qsizetype> m_order;
    history::RunKind m_kind = history::RunKind::Full;
    bool m_practice = false;
    bool m_answerLogFailureTold = false;
    bool m_classFailureTold = false;
    QString m_learner;
    QString m_classFolder;

    // The questions that count (four-choice or ○/×), by their index in the run.
    QList<qsizetype> scoredQuestions() const;
};
