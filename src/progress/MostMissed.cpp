#include "MostMissed.h"

#include "Design.h"
#include "QuestionPages.h"
#include "QuizFile.h"
#include "Review.h"
#include "Sections.h"

#include <QFileInfo>

namespace mostmissed {
QList<Row> rows(const QList<answerlog::Record> &records, const QString &quizFolder,
                const QString &section) {
    const QString path = sections::quizFilePath(quizFolder, section);
    const quizfile::ReadResult quiz = quizfile::read(path);
    if (!quiz.ok)
        return {};
    const QList<review::Question> missed = review::mostMissed(
        review::questionsOf(quiz.records, records, QFileInfo(path).absolutePath(), section),
        kListed);
    QList<Row> result;
    for (const review::Question &q : missed) {
        const QuizRecord &question = quiz.records[q.index];
        result.append({question.reportNumber, q.standing.timesMissed,
                       QDateTime(q.standing.lastMissedDay, q.standing.lastMissedTime),
                       questionpages::plainStart(question.question)});
    }
    return result;
}

QStringList headers() {
    return {design::uiText("問題"), design::uiText("間違えた回数"),
            design::uiText("最後に間違えた日時"), design::uiText("問題文")};
}

QStringList texts(const Row &row) {
    return {QString::number(row.number), QString::number(row.timesMissed),
            row.lastMissed.toString(QStringLiteral("yyyy/MM/dd HH:mm")), row.start};
}

} // namespace mostmissed
