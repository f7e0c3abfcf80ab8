#include "QuizState.h"

void QuizState::prepareStart(const QString &folder) {
    answerTexts = {QString()};
    answerMarks = {0};
    quizFolder = folder;
    questionCount = kStartQuestionCount;
    currentImageFile.clear();
}

quizfile::ReadResult QuizState::loadQuizFile(const QString &path) {
    quizfile::ReadResult result = quizfile::read(path);
    if (result.ok)
        replaceQuiz(result.records);
    return result;
}

void QuizState::replaceQuiz(const QList<QuizRecord> &replacement) {
    questionCount = static_cast<qint32>(replacement.size());
    questions = replacement;
    answerMarks = QList<qint32>(questionCount, 0);
    answerTexts = QStringList(QList<QString>(questionCount));
}

QString QuizState::saveQuizFile(const QString &path) const {
    const quizfile::EncodeResult encoded = quizfile::encode(questionCount, questions);
    if (!encoded.ok())
        return encoded.error;
    return quizfile::save(path, encoded.bytes).error;
}

void QuizState::resizeArrays(qsizetype size) {
    questions.resize(size);
    answerMarks.resize(size);
    answerTexts.resize(size);
}

void QuizState::resizeQuestions(qint32 count) {
    questionCount = count;
    resizeArrays(count);
}

void QuizState::closeQuiz() {
    questions = {QuizRecord()};
    answerMarks = {0};
    answerTexts = {QString()};
}
