#include "QuizCsv.h"

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
    const csv::EncodedTable table = csv::encodeTable(
        columnNames(), records.size(), [&records](qsizetype i) { return rowOf(records[i]); },
        separatorChar(separator), encoding);
    ExportResult result{table.bytes, table.error};
    if (!table.ok())
        result.error.message =
            QString::fromUtf8("問題 %1 に ").arg(table.error.row - 1) + table.error.message;
    return result;
}

} // namespace quizcsv
