#include "Review.h"

#include "QuizRecord.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace review {
namespace {
constexpr int kSteps = int(std::size(kIntervalDays));

void takeMiss(Standing &s, const answerlog::Record &r) {
    ++s.timesMissed;
    s.lastMissedDay = r.day;
    s.lastMissedTime = r.time;
    s.step = 0;
    s.due = r.day.addDays(kIntervalDays[0]);
}

// Only a review once due moves a question on: a right answer in the retry right after a miss,
// or twice in a day, is no sign it is known.
void takeRightAnswer(Standing &s, const answerlog::Record &r) {
    if (r.kind != history::RunKind::Review || !s.due || r.day < *s.due)
        return;
    if (++s.step >= kSteps)
        s.due.reset(); // learned
    else
        s.due = r.day.addDays(kIntervalDays[s.step]);
}

using Key = std::pair<qint32, QString>;

// Fingerprints of questions that occur more than once in the quiz: only these need a number.
QSet<QString> twinsIn(const QList<QuizRecord> &quiz) {
    QSet<QString> seen;
    QSet<QString> twins;
    for (const QuizRecord &question : quiz) {
        const QString print = answerlog::fingerprint(question);
        if (seen.contains(print))
            twins.insert(print);
        seen.insert(print);
    }
    return twins;
}

Key keyOf(qint32 number, const QString &fingerprint, const QSet<QString> &twins) {
    return Key(twins.contains(fingerprint) ? number : 0, fingerprint);
}

// The standings of the quiz's questions, from the records in the order they were written.
QHash<Key, Standing> standings(const QList<answerlog::Record> &records, const QString &folder,
                               const QString &section, const QSet<QString> &twins) {
    const QString key = answerlog::folderKey(folder);
    QHash<Key, Standing> result;
    for (const answerlog::Record &r : records) {
        if (r.section != section || r.folder != key)
            continue;
        Standing &s = result[keyOf(r.number, r.fingerprint, twins)];
        s.number = r.number;
        s.fingerprint = r.fingerprint;
        if (r.missed())
            takeMiss(s, r);
        else
            takeRightAnswer(s, r);
    }
    return result;
}
} // namespace

QList<Question> questionsOf(const QList<QuizRecord> &quiz, const QList<answerlog::Record> &records,
                            const QString &folder, const QString &section) {
    const QSet<QString> twins = twinsIn(quiz);
    const QHash<Key, Standing> byKey = standings(records, folder, section, twins);
    QList<Question> result;
    for (qsizetype i = 0; i < quiz.size(); ++i) {
        const auto s =
            byKey.constFind(keyOf(quiz[i].reportNumber, answerlog::fingerprint(quiz[i]), twins));
        if (s != byKey.cend())
            result.append(Question{i, *s});
    }
    return result;
}

QList<qsizetype> dueOn(const QList<Question> &questions, QDate today) {
    QList<qsizetype> due;
    for (const Question &q : questions)
        if (q.standing.due && *q.standing.due <= today)
            due.append(q.index);
    return due;
}

std::optional<QDate> nextDueAfter(const QList<Question> &questions, QDate today) {
    std::optional<QDate> next;
    for (const Question &q : questions)
        if (q.standing.due && *q.standing.due > today && (!next || *q.standing.due < *next))
            next = q.standing.due;
    return next;
}

QList<Question> mostMissed(QList<Question> questions, qsizetype limit) {
    questions.removeIf([](const Question &q) { return q.standing.timesMissed == 0; });
    std::stable_sort(questions.begin(), questions.end(), [](const Question &a, const Question &b) {
        const Standing &x = a.standing;
        const Standing &y = b.standing;
        if (x.timesMissed != y.timesMissed)
            return x.timesMissed > y.timesMissed;
        return std::pair(x.lastMissedDay, x.lastMissedTime) >
               std::pair(y.lastMissedDay, y.lastMissedTime);
    });
    if (questions.size() > limit)
        questions.resize(limit);
    return questions;
}

} // namespace review
