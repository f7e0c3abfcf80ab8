#pragma once

#include "QuizFile.h"
#include "QuizRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

// The shared quiz state of one run of the program. Main creates one and hands it to every
// window; there are no private copies.
class QuizState {
public:
    static constexpr qint32 kStartQuestionCount = 60;

    QList<QuizRecord> questions;
    QList<qint32> answerMarks{0};
    QStringList answerTexts{QString()};
    qint32 questionCount = kStartQuestionCount;
    QString quizFolder;
    QString currentQuizFile;
    QString currentImageFile;
    // The window the options dialog was opened from: from the main window the question count
    // cannot be changed.
    enum class Opener { Nobody, MainWindow, Editor };
    Opener optionsOpener = Opener::Nobody;
    double quizStartSeconds = 0;
    double quizNowSeconds = 0;

    // The state every start begins with: one empty answer, no questions, the count 60.
    void prepareStart(const QString &folder);

    // Reads a quiz file. On success the count and all three arrays are replaced (answers
    // cleared); on failure nothing changes and the result says why.
    quizfile::ReadResult loadQuizFile(const QString &path);

    // Replaces the quiz with these questions: the count follows and every answer is cleared.
    void replaceQuiz(const QList<QuizRecord> &replacement);

    // Writes questionCount and the table to path; on failure nothing is written.
    QString saveQuizFile(const QString &path) const;

    // A new question count: all three arrays keep the entries that fit and grow empty ones.
    void resizeQuestions(qint32 count);

    // An empty question before the one at index (questionCount: after the last), or the
    // question at index taken out; the numbers of those after it move up or down by one, as
    // an author numbering in order expects. False, changing nothing, when the index is out of
    // range, the quiz would grow past the question limit, or its last question would go.
    bool insertQuestion(qsizetype index);
    bool removeQuestion(qsizetype index);

    // Closing the quiz keeps the count but leaves one empty entry in each array.
    void closeQuiz();

private:
    void resizeArrays(qsizetype size);
    void shiftNumbersFrom(qsizetype index, qint32 by);
};
