#include "QuizCsv.h"

#include "Cp932.h"

namespace quizcsv {
namespace {

constexpr const char *kJapaneseNames[kColumnCount] = {"番号", "報告番号", "問題文", "選択肢",
                                                      "正解", "ポイント", "画像"};
constexpr const char *kEnglishNames[kColumnCount] = {
    "Number", "ReportNumber", "Question", "Choices", "Answer", "KeyPoint", "ImageFile"};

QStringList rowOf(const QuizRecord &record) {
    QStringList fields{QString::number(record.number), QString::number(record.reportNumber)};
    for (QuizField field : kQuizFields)
        fields.append(fieldText(record, field));
    return fields;
}

// Appends one row; false when CP932 lacks one of its characters.
bool appendEncodedRow(QByteArray &out, const QStringList &fields, QChar separator,
                      csv::Encoding encoding, Cp932Codec &codec) {
    QString line;
    csv::appendRow(line, fields, separator);
    if (encoding == csv::Encoding::Utf8) {
        out += line.toUtf8();
        return true;
    }
    return codec.appendEncoded(line, out) >= 0;
}

// The first cell of a question's row that CP932 cannot hold, at its place in the table.
csv::Error unmappableError(const QStringList &fields, qint64 row, Cp932Codec &codec) {
    for (int column = 0; column < fields.size(); ++column) {
        QList<char32_t> unmappable;
        QByteArray unused;
        if (!codec.encode(fields[column], unused, &unmappable))
            return {row, column, columnNames()[column],
                    QString::fromUtf8("問題 %1 に ").arg(row - 1) +
                        cp932::unmappableMessage({unmappable.value(0)})};
    }
    return {};
}

} // namespace

QChar separatorChar(Separator separator) {
    return separator == Separator::Tab ? QChar(u'\t') : QChar(u',');
}

Separator separatorFor(const QString &fileName) {
    return fileName.endsWith(QLatin1String(".tsv"), Qt::CaseInsensitive) ||
                   fileName.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)
               ? Separator::Tab
               : Separator::Comma;
}

QStringList columnNames() {
    QStringList names;
    for (const char *name : kJapaneseNames)
        names.append(QString::fromUtf8(name));
    return names;
}

int columnNamed(const QString &cell) {
    const QString name = cell.trimmed();
    for (int column = 0; column < kColumnCount; ++column) {
        if (name == QString::fromUtf8(kJapaneseNames[column]) ||
            name.compare(QLatin1String(kEnglishNames[column]), Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

ExportResult exportBytes(const QList<QuizRecord> &records, Separator separator,
                         csv::Encoding encoding) {
    const QChar separatorCharacter = separatorChar(separator);
    ExportResult result;
    if (encoding == csv::Encoding::Utf8)
        result.bytes = csv::kUtf8Bom;
    Cp932Codec codec;
    appendEncodedRow(result.bytes, columnNames(), separatorCharacter, encoding, codec);
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QStringList fields = rowOf(records[i]);
        if (!appendEncodedRow(result.bytes, fields, separatorCharacter, encoding, codec)) {
            result.error = unmappableError(fields, i + 2, codec);
            result.bytes.clear();
            break;
        }
    }
    return result;
}

} // namespace quizcsv
