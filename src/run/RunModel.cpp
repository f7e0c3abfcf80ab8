#include "RunModel.h"

#include "QuizRun.h"
#include "QuizState.h"
#include "Report.h"
#include "Sections.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <utility>

RunModel::RunModel(QuizState &state, std::function<double()> clock, QObject *parent)
    : QObject(parent), m_state(state), m_clock(std::move(clock)),
      m_questionOnShow([] { return 1; }), m_calendar(&QDateTime::currentDateTime),
      m_clockTimer(new QTimer(this)) {
    m_clockTimer->setObjectName(QStringLiteral("clockTimer"));
    m_clockTimer->setInterval(250);
    connect(m_clockTimer, &QTimer::timeout, this, &RunModel::tick);
    m_journalTimer.setSingleShot(true);
    m_journalTimer.setInterval(1000);
    connect(&m_journalTimer, &QTimer::timeout, this, &RunModel::writeJournal);
}

void RunModel::setQuestionOnShow(std::function<int()> questionOnShow) {
    m_questionOnShow = std::move(questionOnShow);
}

void RunModel::setCalendar(std::function<QDateTime()> calendar) {
    m_calendar = std::move(calendar);
}

history::RunKind RunModel::kind() const {
    return m_kind == history::RunKind::Full && m_practice ? history::RunKind::Practice : m_kind;
}

void RunModel::start(bool paused) {
    m_clockShown = true;
    m_over = false;
    m_journalFailureTold = false;
    std::fill(m_state.answerMarks.begin(), m_state.answerMarks.end(), quizrun::kUnanswered);
    std::fill(m_state.answerTexts.begin(), m_state.answerTexts.end(), QString());
    if (!paused)
        m_clockTimer->start();
    m_state.quizStartSeconds = m_clock();
    m_state.quizNowSeconds = m_state.quizStartSeconds;
    emit clockChanged(0, false);
}

void RunModel::resumeFrom(const runjournal::Journal &journal) {
    m_practice = journal.practice;
    if (!journal.order.isEmpty())
        takeQuestions(journal.order, journal.kind);
    m_state.answerTexts = journal.answerTexts;
    for (qsizetype i = 0; i < m_state.answerMarks.size(); ++i) {
        const QString given = m_state.answerTexts.value(i);
        m_state.answerMarks[i] = given.isEmpty() || i >= m_state.questions.size()
                                     ? quizrun::kUnanswered
                                     : quizrun::markFor(given, m_state.questions[i].answer);
    }
    m_state.quizNowSeconds = m_clock();
    m_state.quizStartSeconds = m_state.quizNowSeconds - journal.elapsedSeconds;
    emit clockChanged(elapsedSeconds(), false);
}

QString RunModel::finish() {
    m_clockTimer->stop();
    endJournal();
    if (std::exchange(m_over, true) || m_state.currentQuizFile.isEmpty())
        return {};
    const QDateTime when = m_calendar();
    QStringList problems;
    const auto tell = [&problems](const QString &problem, const char *what, bool *toldBefore) {
        // The answer record and the class folder are said once, not after every run.
        if (!problem.isEmpty() && !(toldBefore && std::exchange(*toldBefore, true)))
            problems.append(QString::fromUtf8(what) + QStringLiteral("\r\n") + problem);
    };
    tell(history::append(historyEntry(when)), "成績の記録を保存できませんでした。", nullptr);
    const QList<answerlog::Record> answers = answerRecords(when);
    tell(answerlog::append(answers), "答えの記録を保存できませんでした。", &m_answerLogFailureTold);
    if (!m_classFolder.isEmpty() && !m_learner.isEmpty())
        tell(classrun::send(classRun(when, answers), m_classFolder),
             "クラスのフォルダに送れませんでした。この回は次に送れるときに送ります。",
             &m_classFailureTold);
    return problems.join(QStringLiteral("\r\n"));
}

void RunModel::setQuestionStart(std::function<QString(const QString &html)> questionStart) {
    m_questionStart = std::move(questionStart);
}

void RunModel::setClassFolder(const QString &learner, const QString &folder) {
    m_learner = learner.trimmed();
    m_classFolder = folder;
}

classrun::Run RunModel::classRun(const QDateTime &when,
                                 const QList<answerlog::Record> &answers) const {
    classrun::Run run;
    run.learner = m_learner;
    run.section = sections::sectionOfFile(m_state.currentQuizFile);
    run.when = when.addMSecs(-when.time().msec());
    run.kind = kind();
    const QList<qsizetype> scored = scoredQuestions();
    for (qsizetype i = 0; i < std::min(scored.size(), answers.size()); ++i) {
        const QuizRecord &question = m_state.questions[scored[i]];
        const answerlog::Record &r = answers[i];
        run.answers.append({r.number, r.fingerprint, question.answer, r.given, r.mark,
                            m_questionStart ? m_questionStart(question.question) : QString()});
    }
    return run;
}

QList<qsizetype> RunModel::scoredQuestions() const {
    QList<qsizetype> scored;
    const qsizetype count = std::min<qsizetype>(m_state.questionCount, m_state.questions.size());
    for (qsizetype i = 0; i < count; ++i)
        if (report::classify(m_state.questions[i].answer) != report::Kind::Ignored)
            scored.append(i);
    return scored;
}

QList<answerlog::Record> RunModel::answerRecords(const QDateTime &when) const {
    answerlog::Record r;
    r.day = when.date();
    r.time = QTime(when.time().hour(), when.time().minute(), when.time().second());
    r.folder = answerlog::folderKey(QFileInfo(m_state.currentQuizFile).absolutePath());
    r.section = sections::sectionOfFile(m_state.currentQuizFile);
    r.kind = kind();
    QList<answerlog::Record> records;
    for (const qsizetype i : scoredQuestions()) {
        const QuizRecord &question = m_state.questions[i];
        r.number = question.reportNumber;
        r.fingerprint = answerlog::fingerprint(question);
        r.given = m_state.answerTexts.value(i);
        const qint32 mark = m_state.answerMarks.value(i);
        r.mark = mark == quizrun::kCorrect ? answerlog::Mark::Correct
                 : mark == quizrun::kWrong ? answerlog::Mark::Wrong
                                           : answerlog::Mark::Unanswered;
        records.append(r);
    }
    return records;
}

history::Entry RunModel::historyEntry(const QDateTime &when) const {
    history::Entry e;
    e.when = when.addMSecs(-when.time().msec());
    e.section = sections::sectionOfFile(m_state.currentQuizFile);
    e.kind = kind();
    const report::Counts c = report::evaluate(m_state, e.section).counts;
    e.questions = m_state.questionCount;
    e.correct = c.totalCorrect();
    e.fourChoiceCorrect = c.fourChoiceCorrect;
    e.trueFalseCorrect = c.trueFalseCorrect;
    e.unanswered = c.unanswered();
    e.score = c.score();
    e.maxScore = c.maxScore();
    e.elapsedSeconds = static_cast<qint32>(std::floor(elapsedSeconds()));
    return e;
}

void RunModel::abandon() {
    m_clockTimer->stop();
    m_clockShown = false;
}

void RunModel::pause() {
    m_clockTimer->stop();
    if (m_clockShown)
        emit clockChanged(elapsedSeconds(), true);
}

void RunModel::goOn() {
    if (isUnderWay())
        m_clockTimer->start();
}

double RunModel::elapsedSeconds() const {
    return quizrun::elapsedSeconds(m_state.quizStartSeconds, m_state.quizNowSeconds);
}

void RunModel::tick() {
    m_state.quizNowSeconds = m_clock();
    const double elapsed = elapsedSeconds();
    emit clockChanged(elapsed, false);
    keepJournal();
    if (elapsed >= quizrun::kTimeLimitSeconds) {
        m_clockTimer->stop();
        emit timeUp();
    }
}

void RunModel::takeQuestions(const QList<qsizetype> &wholeQuizIndexes, history::RunKind kind) {
    if (!m_wholeQuiz)
        m_wholeQuiz = m_state.questions;
    QList<QuizRecord> questions;
    for (const qsizetype i : wholeQuizIndexes)
        questions.append(m_wholeQuiz->value(i));
    m_order = wholeQuizIndexes;
    m_kind = kind;
    m_state.replaceQuiz(questions);
}

void RunModel::shuffle() {
    QList<qsizetype> order(m_wholeQuiz ? m_wholeQuiz->size() : m_state.questions.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), *QRandomGenerator::global());
    takeQuestions(order, history::RunKind::Full);
}

void RunModel::retry(const QList<qsizetype> &missed) {
    QList<qsizetype> wholeQuizIndexes;
    for (const qsizetype i : missed)
        wholeQuizIndexes.append(m_order.isEmpty() ? i : m_order.value(i));
    takeQuestions(wholeQuizIndexes, history::RunKind::Retry);
}

bool RunModel::wholeQuizBack() {
    if (!m_wholeQuiz)
        return false;
    m_state.replaceQuiz(*std::exchange(m_wholeQuiz, std::nullopt));
    forgetWholeQuiz();
    abandon();
    return true;
}

void RunModel::forgetWholeQuiz() {
    m_wholeQuiz.reset();
    m_order.clear();
    m_kind = history::RunKind::Full;
}

bool RunModel::isAnswerFixed(qsizetype index) const {
    return m_practice &&
           m_state.answerMarks.value(index, quizrun::kUnanswered) != quizrun::kUnanswered;
}

bool RunModel::recordAnswer(qsizetype index, const QString &given) {
    if (isOver() || isAnswerFixed(index) || index < 0 || index >= m_state.answerTexts.size() ||
        index >= m_state.answerMarks.size() ||
        (!given.isEmpty() && index >= m_state.questions.size()))
        return false;
    m_state.answerTexts[index] = given;
    m_state.answerMarks[index] = given.isEmpty()
                                     ? quizrun::kUnanswered
                                     : quizrun::markFor(given, m_state.questions[index].answer);
    return true;
}

bool RunModel::pickAnswer(qsizetype index, const QString &given) {
    if (isOver() || isAnswerFixed(index))
        return false;
    if (index >= 0 && index < m_state.answerTexts.size())
        m_state.answerTexts[index] = given;
    return true;
}

void RunModel::journalTo(const runjournal::QuizIdentity &quiz) {
    m_journalIdentity = quiz;
    m_journaling = quiz.size >= 0;
    m_lastJournaled = {};
}

void RunModel::keepJournal() {
    if (!m_journaling)
        return;
    const bool answersChanged = m_lastJournaled.answerTexts != m_state.answerTexts ||
                                m_lastJournaled.answerMarks != m_state.answerMarks;
    if (answersChanged)
        writeJournal();
    else if (!m_journalTimer.isActive())
        m_journalTimer.start();
}

void RunModel::writeJournal() {
    if (!m_journaling)
        return;
    m_journalTimer.stop();
    runjournal::Journal journal;
    journal.quiz = m_journalIdentity;
    journal.answerTexts = m_state.answerTexts;
    journal.answerMarks = m_state.answerMarks;
    journal.questionOnShow = std::max(1, m_questionOnShow());
    journal.order = m_order;
    journal.kind = m_kind;
    journal.practice = m_practice;
    journal.elapsedSeconds =
        std::clamp(quizrun::elapsedSeconds(m_state.quizStartSeconds, m_clock()), 0.0,
                   quizrun::kTimeLimitSeconds);
    // A journal that cannot be written costs only the resuming: the run goes on.
    const QString problem = runjournal::write(journal);
    // A failure is tried again with the next change or a second later, not at every tick.
    m_lastJournaled = journal;
    if (!problem.isEmpty() && !m_journalFailureTold) {
        m_journalFailureTold = true;
        emit journalFailed(problem);
    }
}

void RunModel::endJournal() {
    if (m_journaling)
        runjournal::drop(m_journalIdentity.path); // the current file may name another by now
    m_journaling = false;
    m_journalTimer.stop();
}
