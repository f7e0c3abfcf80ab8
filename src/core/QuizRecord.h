#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

// The five text fields in file order, for code that treats them alike.
enum class QuizField { Question, Choices, Answer, KeyPoint, ImageFile };
inline constexpr QuizField kQuizFields[] = {QuizField::Question, QuizField::Choices,
                                            QuizField::Answer, QuizField::KeyPoint,
                                            QuizField::ImageFile};

// The bytes a text was read from when they were not all CP932, with the text they read as
// (U+FFFD for each bad byte). Saving writes them back unchanged while the field still holds
// that text, so a damaged file can be saved without losing what the bad bytes were.
struct KeptBytes {
    QuizField field = QuizField::Question;
    QString text;
    QByteArray bytes;
};

// One question of a quiz, in the order its fields are stored in a quiz file.
struct QuizRecord {
    qint32 number = 0;
    qint32 reportNumber = 0;
    QString question;
    QString choices;
    QString answer;
    QString keyPoint;
    QString imageFile;
    QList<KeptBytes> kept;

    // Equal when both would be written as the same bytes: kept bytes that no longer belong
    // to their field's text do not count.
    friend bool operator==(const QuizRecord &, const QuizRecord &);
};

QString &fieldText(QuizRecord &record, QuizField field);
const QString &fieldText(const QuizRecord &record, QuizField field);
// The bytes the field was read from, when they were not all CP932 and its text is still the
// one read from them; otherwise null.
const QByteArray *keptBytes(const QuizRecord &record, QuizField field);
// Every line break, whatever the program that wrote it, as the editor keeps it (CR LF).
QString withCrLf(const QString &text);
// The field's name as stored (Question, Choices, ...).
QString fieldName(QuizField field);
// The caption the editor shows for the field (問題文, 選択肢, ...).
QString fieldCaption(QuizField field);
