#pragma once
// The record of every answer as a learner's years of study leave it: runs of a 100-question
// quiz, one a day, every other one a review, about a third of the answers missed. Shared by
// the benchmarks that read it.
#include "AnswerLog.h"
#include "QuizFile.h"
#include "QuizRecord.h"
#include "Sections.h"

#include <QDir>

namespace benchanswers {

inline constexpr int kQuestions = 100;

inline QList<QuizRecord> quiz() {
    QList<QuizRecord> questions(kQuestions);
    for (int i = 0; i < kQuestions; ++i) {
        questions[i].number = questions[i].reportNumber = i + 1;
        questions[i].question =
            QString::fromUtf8("<P>問%1 日本で一番長い川はどれですか。</P>").arg(i + 1);
        questions[i].choices =
            QString::fromUtf8("<OL><LI>信濃川<LI>利根川<LI>石狩川<LI>北上川</OL>");
        questions[i].answer = QStringLiteral("2");
    }
    return questions;
}

// Writes the section's quiz file into the folder and runs of it into the answer record at path.
inline void write(const QString &path, const QString &folder, const QString &section, int runs) {
    const QList<QuizRecord> questions = quiz();
    QDir().mkpath(folder);
    QFile file(sections::quizFilePath(folder, section));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(quizfile::encode(kQuestions, questions).bytes) < 0)
        qFatal("cannot write the quiz in %s", qPrintable(folder));
    const QDate first(2024, 1, 1);
    for (int run = 0; run < runs; ++run) {
        QList<answerlog::Record> records;
        for (int i = 0; i < kQuestions; ++i) {
            answerlog::Record r;
            r.day = first.addDays(run);
            r.time = QTime(19, 30);
            r.folder = answerlog::folderKey(folder);
            r.section = section;
            r.number = questions[i].reportNumber;
            r.fingerprint = answerlog::fingerprint(questions[i]);
            r.kind = run % 2 ? history::RunKind::Review : history::RunKind::Full;
            const bool missed = (run * 7 + i * 13) % 3 == 0;
            r.given = missed ? QStringLiteral("3") : QStringLiteral("2");
            r.mark = missed ? answerlog::Mark::Wrong : answerlog::Mark::Correct;
            records.append(r);
        }
        if (const QString problem = answerlog::append(records, path); !problem.isEmpty())
            qFatal("%s", qPrintable(problem));
    }
}

} // namespace benchanswers
