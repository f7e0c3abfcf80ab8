#include "QuizState.h"

#include "QuizRun.h"

#include <algorithm>
#include <limits>

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

bool QuizState::insertQuestion(qsizetype index) {
    if (index < 0 || index > questionCount || questionCount >= quizrun::kMaxQuestionCount)
        return false;
    resizeArrays(questionCount);
    questions.insert(index, QuizRecord());
    answerMarks.insert(index, quizrun::kUnanswered);
    answerTexts.insert(index, QString());
    ++questionCount;
    shiftNumbersFrom(index + 1, 1);
    return true;
}

bool QuizState::removeQuestion(qsizetype index) {
    if (index < 0 || index >= questionCount || questionCount <= 1)
        return false;
    resizeArrays(questionCount);
    questions.removeAt(index);
    answerMarks.removeAt(index);
    answerTexts.removeAt(index);
    --questionCount;
    shiftNumbersFrom(index, -1);
    return true;
}

// Questions never stored keep their number 0; a number at the end of the range stays there.
void QuizState::shiftNumbersFrom(qsizetype index, qint32 by) {
    constexpr qint64 lowest = std::numeric_limits<qint32>::min();
    constexpr qint64 highest = std::numeric_limits<qint32>::max();
    for (qsizetype i = index; i < questions.size(); ++i) {
        for (qint32 *number : {&questions[i].number, &questions[i].reportNumber}) {
            if (*number != 0)
                *number = qint32(std::clamp(qint64(*number) + by, lowest, highest));
        }
    }
}

void QuizState::closeQuiz() {
    questions = {QuizRecord()};
    answerMarks = {0};
    answerTexts = {QString()};
}
