#include "QuizCsv.h"

#include "Cp932.h"
#include "Numbers.h"
#include "QuizFile.h"
#include "QuizRun.h"

#include <algorithm>
#include <optional>

namespace quizcsv {
namespace {

QString tr(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// Columns 0 and 1 are the numbers, 2 to 6 the text fields in file order.
constexpr int kColumnCount = 7;
constexpr int kTextColumnsFrom = 2;
constexpr const char *kJapaneseNames[kColumnCount] = {"番号", "報告番号", "問題文", "選択肢",
                                                      "正解", "ポイント", "画像"};
constexpr const char *kEnglishNames[kColumnCount] = {
    "Number", "ReportNumber", "Question", "Choices", "Answer", "KeyPoint", "ImageFile"};

QuizField textField(int column) {
    return kQuizFields[column - kTextColumnsFrom];
}

// The column a header cell names, or -1.
int columnNamed(const QString &cell) {
    const QString name = cell.trimmed();
    for (int column = 0; column < kColumnCount; ++column) {
        if (name == tr(kJapaneseNames[column]) ||
            name.compare(QLatin1String(kEnglishNames[column]), Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

QString columnName(int column) {
    return tr(kJapaneseNames[column]);
}

// Every line break, whatever the program that wrote it, as the editor keeps it.
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

// An empty line: spreadsheets leave them at the end, and authors between questions.
bool isBlank(const csv::Row &row) {
    return row.size() == 1 && row[0].text.isEmpty();
}

// Turns the rows of a table into questions, stopping at the first problem.
class Importer {
public:
    Importer(QStringView text, QChar separator) : m_reader(text, separator) {}

    csv::Error run(QList<QuizRecord> &records);

private:
    csv::Error fail(qsizetype at, const QString &message) const {
        return csv::errorAt(m_reader.text(), at, message);
    }
    csv::Error readHeader(const csv::Row &row);
    csv::Error readRecord(const csv::Row &row, int position, QuizRecord &record);
    csv::Error readNumber(const csv::Field &field, int column, std::optional<qint32> &number);
    csv::Error readText(const csv::Field &field, QString &text);

    csv::Reader m_reader;
    QList<int> m_columns{0, 1, 2, 3, 4, 5, 6};
    Cp932Codec m_codec;
    QByteArray m_encoded;
};

csv::Error Importer::run(QList<QuizRecord> &records) {
    csv::Row row;
    bool first = true;
    while (m_reader.next(row)) {
        if (isBlank(row))
            continue;
        const bool header = first && std::any_of(row.cbegin(), row.cend(), [](const auto &f) {
                                return columnNamed(f.text) >= 0;
                            });
        first = false;
        if (header) {
            if (csv::Error error = readHeader(row); !error.isNull())
                return error;
            continue;
        }
        if (records.size() >= quizrun::kMaxQuestionCount)
            return fail(row[0].start,
                        tr("問題が多すぎます (最大 %1 問)").arg(quizrun::kMaxQuestionCount));
        QuizRecord record;
        if (csv::Error error = readRecord(row, int(records.size()) + 1, record); !error.isNull())
            return error;
        records.append(std::move(record));
    }
    if (!m_reader.error().isNull())
        return m_reader.error();
    if (records.isEmpty())
        return fail(m_reader.text().size(), tr("問題がありません"));
    return {};
}

// Empty cells after the last name are no columns: spreadsheets write rows as wide as the
// widest one.
csv::Error Importer::readHeader(const csv::Row &row) {
    qsizetype width = row.size();
    while (width > 0 && row[width - 1].text.trimmed().isEmpty())
        --width;
    m_columns.clear();
    for (qsizetype i = 0; i < width; ++i) {
        const int column = columnNamed(row[i].text);
        if (row[i].text.trimmed().isEmpty())
            return fail(row[i].start, tr("列名が空です"));
        if (column < 0)
            return fail(row[i].start, tr("列名「%1」が分かりません (%2 のどれかです)")
                                          .arg(row[i].text.trimmed(), columnNames().join(", ")));
        if (m_columns.contains(column))
            return fail(row[i].start, tr("列「%1」が 2 度あります").arg(columnName(column)));
        m_columns.append(column);
    }
    return {};
}

// A number left out takes the other one, as the editor sets both from one box; with neither,
// the question's place in the table.
csv::Error Importer::readRecord(const csv::Row &row, int position, QuizRecord &record) {
    std::optional<qint32> numbers[kTextColumnsFrom];
    for (qsizetype i = 0; i < row.size(); ++i) {
        const csv::Field &field = row[i];
        if (i >= m_columns.size()) {
            if (field.text.isEmpty())
                continue; // empty cells past the table, as spreadsheets pad rows
            return fail(field.start,
                        tr("列が多すぎます (この表は %1 列です)").arg(m_columns.size()));
        }
        const int column = m_columns[i];
        csv::Error error = column < kTextColumnsFrom
                               ? readNumber(field, column, numbers[column])
                               : readText(field, fieldText(record, textField(column)));
        if (!error.isNull())
            return error;
    }
    record.Number = numbers[0].value_or(numbers[1].value_or(position));
    record.ReportNumber = numbers[1].value_or(numbers[0].value_or(position));
    return {};
}

csv::Error Importer::readNumber(const csv::Field &field, int column,
                                std::optional<qint32> &number) {
    if (field.text.trimmed().isEmpty())
        return {};
    const WholeNumber whole = toInt32(field.text);
    if (whole.error == errors::kOverflow)
        return fail(field.start, tr("「%1」の %2 は %3 から %4 までに収まりません")
                                     .arg(columnName(column), field.text.trimmed())
                                     .arg(INT32_MIN)
                                     .arg(INT32_MAX));
    if (!whole.ok())
        return fail(
            field.start,
            tr("「%1」が数ではありません (「%2」)").arg(columnName(column), field.text.trimmed()));
    number = static_cast<qint32>(whole.value);
    return {};
}

// Takes the text only when a quiz file can hold it, so that saving cannot fail later.
csv::Error Importer::readText(const csv::Field &field, QString &text) {
    text = withCrLf(field.text);
    m_encoded.clear();
    const qsizetype length = m_codec.appendEncoded(text, m_encoded);
    if (length < 0) {
        QList<char32_t> unmappable;
        QByteArray unused;
        m_codec.encode(text, unused, &unmappable);
        const char32_t first = unmappable.value(0);
        const qsizetype at = m_reader.text()
                                 .sliced(field.start, field.end - field.start)
                                 .indexOf(QString::fromUcs4(&first, 1));
        return fail(field.start + qMax<qsizetype>(at, 0),
                    cp932::unmappableMessage({first}) + tr(" (クイズファイルに保存できません)"));
    }
    if (length > quizfile::kMaxTextBytes)
        return fail(
            field.start,
            tr("長すぎます (%1 バイト、最大 %2 バイト)").arg(length).arg(quizfile::kMaxTextBytes));
    return {};
}

QStringList rowOf(const QuizRecord &record) {
    QStringList fields{QString::number(record.Number), QString::number(record.ReportNumber)};
    for (QuizField field : kQuizFields)
        fields.append(fieldText(record, field));
    return fields;
}

// Where a character CP932 lacks would have been written, and in which question and column.
csv::Error unmappableError(const QString &text, const QList<qsizetype> &fieldStarts,
                           char32_t character) {
    qsizetype at = text.indexOf(QString::fromUcs4(&character, 1), fieldStarts.value(0));
    if (at < 0)
        at = fieldStarts.value(0); // a lone surrogate cannot be searched for
    const qsizetype index = qMax<qsizetype>(
        std::upper_bound(fieldStarts.cbegin(), fieldStarts.cend(), at) - fieldStarts.cbegin() - 1,
        0);
    return csv::errorAt(
        text, at,
        tr("問題 %1 の「%2」: %3")
            .arg(index / kColumnCount + 1)
            .arg(columnName(int(index % kColumnCount)), cp932::unmappableMessage({character})));
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
    for (int column = 0; column < kColumnCount; ++column)
        names.append(columnName(column));
    return names;
}

ImportResult importBytes(QByteArrayView bytes, Separator separator) {
    ImportResult result;
    csv::Decoded decoded = csv::decode(bytes);
    result.encoding = decoded.encoding;
    result.bom = decoded.bom;
    result.error = decoded.error;
    if (!result.ok())
        return result;
    Importer importer(decoded.text, separatorChar(separator));
    result.error = importer.run(result.records);
    if (!result.ok())
        result.records.clear();
    return result;
}

ExportResult exportBytes(const QList<QuizRecord> &records, Separator separator,
                         csv::Encoding encoding) {
    const QChar separatorCharacter = separatorChar(separator);
    QString text;
    csv::appendRow(text, columnNames(), separatorCharacter);
    QList<qsizetype> fieldStarts;
    for (const QuizRecord &record : records)
        csv::appendRow(text, rowOf(record), separatorCharacter, &fieldStarts);
    ExportResult result;
    if (encoding == csv::Encoding::Utf8) {
        result.bytes = QByteArray(csv::kUtf8Bom) + text.toUtf8();
        return result;
    }
    Cp932Codec codec;
    QList<char32_t> unmappable;
    if (!codec.encode(text, result.bytes, &unmappable))
        result.error = unmappableError(text, fieldStarts, unmappable.value(0));
    return result;
}

} // namespace quizcsv
