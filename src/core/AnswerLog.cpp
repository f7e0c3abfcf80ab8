#include "AnswerLog.h"

#include "CsvLog.h"
#include "QuizRecord.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <optional>

namespace answerlog {
namespace {
const QStringList &headerFields() {
    static const QStringList fields =
        QString::fromUtf8("日時,フォルダ,問題名,問題番号,照合コード,種類,解答,判定")
            .split(QLatin1Char(','));
    return fields;
}

// "yyyy-MM-ddTHH:mm:ss" read digit by digit: a reader of 100,000 lines spends no time on it.
bool readWhen(QStringView text, QDate &day, QTime &time) {
    if (text.size() != 19 || text[4] != u'-' || text[7] != u'-' || text[10] != u'T' ||
        text[13] != u':' || text[16] != u':')
        return false;
    const auto digits = [&](qsizetype from, qsizetype count) {
        int n = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            if (text[i] < u'0' || text[i] > u'9')
                return -1;
            n = n * 10 + (text[i].unicode() - '0');
        }
        return n;
    };
    day = QDate(digits(0, 4), digits(5, 2), digits(8, 2));
    time = QTime(digits(11, 2), digits(14, 2), digits(17, 2));
    return day.isValid() && time.isValid();
}

// The same folder and section on line after line are kept once in memory.
void share(QString &text, const QString &previous) {
    if (text == previous)
        text = previous;
}

std::optional<Record> recordOf(const QStringList &f, const Record *previous) {
    if (f.size() != headerFields().size())
        return std::nullopt;
    Record r;
    bool numberOk = false;
    r.number = f[3].toInt(&numberOk);
    const std::optional<history::RunKind> kind = history::kindOfWord(f[5]);
    const std::optional<Mark> mark = markOfWord(f[7]);
    if (!readWhen(f[0], r.day, r.time) || !numberOk || !kind || !mark || f[1].isEmpty())
        return std::nullopt;
    r.folder = f[1];
    r.section = f[2];
    if (previous) {
        share(r.folder, previous->folder);
        share(r.section, previous->section);
    }
    r.fingerprint = f[4];
    r.kind = *kind;
    r.given = f[6];
    r.mark = *mark;
    return r;
}
} // namespace

namespace {
const char *const kMarkWords[] = {"正解", "不正解", "未回答"};

} // namespace

QString markWord(Mark mark) {
    return QString::fromUtf8(kMarkWords[static_cast<int>(mark)]);
}

std::optional<Mark> markOfWord(const QString &word) {
    static const QStringList words = [] {
        QStringList list;
        for (const char *mark : kMarkWords)
            list.append(QString::fromUtf8(mark));
        return list;
    }();
    const qsizetype i = words.indexOf(word);
    return i < 0 ? std::nullopt : std::optional<Mark>(static_cast<Mark>(i));
}

QString filePath() {
    return QFileInfo(history::filePath()).absolutePath() + QStringLiteral("/answers.csv");
}

QString folderKey(const QString &folder) {
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

QString fingerprint(const QuizRecord &question) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString *field : {&question.question, &question.choices, &question.answer}) {
        hash.addData(field->toUtf8());
        hash.addData(QByteArrayView("\0", 1)); // "ab"+"c" is not "a"+"bc"
    }
    return QString::fromLatin1(hash.result().toHex().left(8));
}

QString append(const QList<Record> &records, const QString &path) {
    QByteArray lines;
    for (const Record &r : records)
        lines += csvlog::line({r.day.toString(u"yyyy-MM-dd") + u'T' + r.time.toString(u"HH:mm:ss"),
                               r.folder, r.section, QString::number(r.number), r.fingerprint,
                               history::kindWord(r.kind), r.given, markWord(r.mark)});
    return csvlog::append(path, headerFields(), lines);
}

ReadResult parse(QByteArrayView bytes) {
    ReadResult result;
    // 100,000 records are not moved as the list grows; a file of blank lines reserves no more
    // than real records of its size would take.
    result.records.reserve(std::min(bytes.count('\n'), bytes.size() / 40));
    result.skippedLines = csvlog::forEachRecord(bytes, headerFields(), [&](const QStringList &f) {
        const Record *previous = result.records.isEmpty() ? nullptr : &result.records.constLast();
        std::optional<Record> record = recordOf(f, previous);
        if (record)
            result.records.append(std::move(*record));
        return record.has_value();
    });
    return result;
}

ReadResult read(const QString &path) {
    return csvlog::readRecords<ReadResult>(path, kMaxReadBytes, &parse);
}

} // namespace answerlog
