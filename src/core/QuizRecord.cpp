#include "QuizRecord.h"

namespace {
template <typename Record> auto &textOf(Record &record, QuizField field) {
    switch (field) {
    case QuizField::Question:
        return record.Question;
    case QuizField::Choices:
        return record.Choices;
    case QuizField::Answer:
        return record.Answer;
    case QuizField::KeyPoint:
        return record.KeyPoint;
    case QuizField::ImageFile:
        break;
    }
    return record.ImageFile;
}
} // namespace

QString &fieldText(QuizRecord &record, QuizField field) {
    return textOf(record, field);
}

const QString &fieldText(const QuizRecord &record, QuizField field) {
    return textOf(record, field);
}

QString fieldName(QuizField field) {
    static const char *const names[] = {"Question", "Choices", "Answer", "KeyPoint", "ImageFile"};
    return QString::fromLatin1(names[static_cast<int>(field)]);
}

QString fieldCaption(QuizField field) {
    static const char *const captions[] = {"問題文", "選択肢", "正解", "ポイント",
                                           "添付画像ファイル名"};
    return QString::fromUtf8(captions[static_cast<int>(field)]);
}
