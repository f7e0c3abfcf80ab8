#pragma once

#include "QuizFile.h"
#include "QuizRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

class MainWindow;

// The shared quiz state of one run of the program. Main creates one and hands it to every
// window; there are no private copies.
class Module1 {
public:
    static constexpr qint32 kStartQuestionCount = 60;

    MainWindow *MainForm = nullptr;
    QList<QuizRecord> QuestionTable;
    QList<qint32> AnswerMarks{0};
    QStringList AnswerTexts{QString()};
    qint32 QuestionCount = kStartQuestionCount;
    QString QuizFolder;
    QString CurrentQuizFile;
    QString CurrentImageFile;
    QString OptionsOpener;
    double QuizStartSeconds = 0;
    double QuizNowSeconds = 0;

    // The state every start begins with: one empty answer, no questions, the count 60.
    void prepareStart(const QString &quizFolder);

    // Reads a quiz file. On success the count and all three arrays are replaced (answers
    // cleared); on failure nothing changes and the result says why.
    quizfile::ReadResult loadQuizFile(const QString &path);

    // Replaces the quiz with these questions: the count follows and every answer is cleared.
    void replaceQuiz(const QList<QuizRecord> &questions);

    // Writes QuestionCount and the table to path; on failure nothing is written.
    QString saveQuizFile(const QString &path) const;

    // A new question count: all three arrays keep the entries that fit and grow empty ones.
    void resizeQuestions(qint32 count);

    // Closing the quiz keeps the count but leaves one empty entry in each array.
    void closeQuiz();

private:
    void resizeArrays(qsizetype size);
};
