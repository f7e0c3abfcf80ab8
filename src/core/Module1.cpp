#include "Module1.h"

void Module1::prepareStart(const QString &quizFolder) {
    AnswerTexts = {QString()};
    AnswerMarks = {0};
    QuizFolder = quizFolder;
    QuestionCount = kStartQuestionCount;
    CurrentImageFile.clear();
}

quizfile::ReadResult Module1::loadQuizFile(const QString &path) {
    quizfile::ReadResult result = quizfile::read(path);
    if (result.ok)
        replaceQuiz(result.records);
    return result;
}

void Module1::replaceQuiz(const QList<QuizRecord> &questions) {
    QuestionCount = static_cast<qint32>(questions.size());
    QuestionTable = questions;
    AnswerMarks = QList<qint32>(QuestionCount, 0);
    AnswerTexts = QStringList(QList<QString>(QuestionCount));
}

QString Module1::saveQuizFile(const QString &path) const {
    const quizfile::EncodeResult encoded = quizfile::encode(QuestionCount, QuestionTable);
    if (!encoded.ok())
        return encoded.error;
    return quizfile::save(path, encoded.bytes).error;
}

void Module1::resizeArrays(qsizetype size) {
    QuestionTable.resize(size);
    AnswerMarks.resize(size);
    AnswerTexts.resize(size);
}

void Module1::resizeQuestions(qint32 count) {
    QuestionCount = count;
    resizeArrays(count);
}

void Module1::closeQuiz() {
    QuestionTable = {QuizRecord()};
    AnswerMarks = {0};
    AnswerTexts = {QString()};
}
