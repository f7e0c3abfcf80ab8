#include "QuizRecord.h"

namespace {
template <typename Record> auto &textOf(Record &record, QuizField field) {
    switch (field) {
    case QuizField::Question:
        return record.question;
    case QuizField::Choices:
        return record.choices;
    case QuizField::Answer:
        return record.answer;
    case QuizField::KeyPoint:
        return record.keyPoint;
    case QuizField::ImageFile:
        break;
    }
    return record.imageFile;
}
} // namespace

QString &fieldText(QuizRecord &record, QuizField field) {
    return textOf(record, field);
}

const QString &fieldText(const QuizRecord &record, QuizField field) {
    return textOf(record, field);
}

const QByteArray *keptBytes(const QuizRecord &record, QuizField field) {
    for (const KeptBytes &kept : record.kept) {
        if (kept.field == field)
            return kept.text == fieldText(record, field) ? &kept.bytes : nullptr;
    }
    return nullptr;
}

bool operator==(const QuizRecord &a, const QuizRecord &b) {
    if (a.number != b.number || a.reportNumber != b.reportNumber)
        return false;
    for (QuizField field : kQuizFields) {
        if (fieldText(a, field) != fieldText(b, field))
            return false;
        const QByteArray *keptA = keptBytes(a, field);
        const QByteArray *keptB = keptBytes(b, field);
        if (bool(keptA) != bool(keptB) || (keptA && *keptA != *keptB))
            return false;
    }
    return true;
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

QString withCrLf(const QString &text) {
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += QLatin1String("\r\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}
