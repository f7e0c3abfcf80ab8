#pragma once

#include <QString>
#include <QtGlobal>

// One question of a quiz, in the order its fields are stored in a quiz file.
struct QuizRecord {
    qint32 Number = 0;
    qint32 ReportNumber = 0;
    QString Question;
    QString Choices;
    QString Answer;
    QString KeyPoint;
    QString ImageFile;

    friend bool operator==(const QuizRecord &, const QuizRecord &) = default;
};

// The five text fields in file order, for code that treats them alike.
enum class QuizField { Question, Choices, Answer, KeyPoint, ImageFile };
inline constexpr QuizField kQuizFields[] = {QuizField::Question, QuizField::Choices,
                                            QuizField::Answer, QuizField::KeyPoint,
                                            QuizField::ImageFile};

QString &fieldText(QuizRecord &record, QuizField field);
const QString &fieldText(const QuizRecord &record, QuizField field);
// The field's name as stored (Question, Choices, ...).
QString fieldName(QuizField field);
// The caption the editor shows for the field (問題文, 選択肢, ...).
QString fieldCaption(QuizField field);
