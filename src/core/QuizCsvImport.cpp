// Reading a quiz from a table, a row at a time.
#include "QuizCsv.h"

#include "Cp932.h"
#include "Numbers.h"
#include "QuizFile.h"
#include "QuizRun.h"
#include "WholeFile.h"

#include <QBuffer>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <optional>
#include <utility>

namespace quizcsv {
namespace {

QString tr(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// Columns 0 and 1 are the numbers, 2 to 6 the text fields in file order.
constexpr int kTextColumnsFrom = 2;

QuizField textField(int column) {
    return kQuizFields[column - kTextColumnsFrom];
}

// A cell's text as a message quotes it, on one line: a field of thousands of characters is
// cut short, and a line break shows as ↵.
QString quoted(const QString &text) {
    constexpr qsizetype kShown = 40;
    QString shown = text.size() <= kShown ? text : text.left(kShown) + QChar(0x2026);
    return QString::fromUtf8("「%1」").arg(shown.replace(QLatin1String("\r\n"), QChar(0x21B5))
                                               .replace(u'\r', QChar(0x21B5))
                                               .replace(u'\n', QChar(0x21B5)));
}

// The answer a cell stands for: spaces around it dropped, a full-width digit as its digit and
// the ideographic 〇 as ○, none of which a learner's answer could ever match.
QString answerItStandsFor(const QString &cell) {
    QString answer = cell.trimmed();
    for (QChar &c : answer) {
        if (c >= QChar(0xFF11) && c <= QChar(0xFF14)) // １ to ４
            c = QChar(u'1' + (c.unicode() - 0xFF11));
        else if (c == QChar(0x3007)) // 〇
            c = QChar(0x25CB);       // ○
    }
    return answer;
}

// A row with nothing in it: spreadsheets leave them where cells were once touched, and
// authors between questions. Such rows are passed over wherever they are.
bool isBlank(const csv::Row &row) {
    return std::all_of(row.cells.cbegin(), row.cells.cend(),
                       [](const csv::Field &cell) { return cell.text.isEmpty(); });
}

bool isHeader(const csv::Row &row) {
    return std::any_of(row.cells.cbegin(), row.cells.cend(),
                       [](const csv::Field &cell) { return columnNamed(cell.text) >= 0; });
}

QString cellText(const csv::Row &row, qsizetype column) {
    for (const csv::Field &cell : row.cells) {
        if (cell.column == column)
            return cell.text;
    }
    return {};
}

// Turns the rows of a table into questions, stopping at the first problem. A row keeps seven
// cells and the first filled one after them: no table has more columns than that.
class Importer {
public:
    // unreadable: the text ends at a byte neither encoding reads.
    Importer(csv::TextSource &source, QChar separator, bool unreadable)
        : m_reader(source, separator, kColumnCount, quizfile::kMaxTextBytes + 1),
          m_unreadable(unreadable) {}

    // The first problem of a text that does not read is where it stops reading: what comes
    // before may be read in the wrong encoding.
    csv::Error run(QList<QuizRecord> &records) {
        m_notes.clear();
        csv::Error error = readRows(records);
        if (!m_unreadable || error.isNull() || !m_reader.error().isNull())
            return error;
        for (csv::Row row; m_reader.next(row);) {
        }
        return readerError();
    }
    // What was read other than it stood in the table, each at its place.
    const QList<csv::Note> &notes() const { return m_notes; }

private:
    csv::Error readRows(QList<QuizRecord> &records);
    csv::Error readerError() const {
        csv::Error error = m_reader.error();
        error.columnName = columnName(error.column);
        return error;
    }
    csv::Error fail(qsizetype column, const QString &message) const {
        return {m_row, column, columnName(column), message};
    }
    QString columnName(qsizetype column) const {
        return column >= 0 && column < m_columns.size() ? columnNames()[m_columns[column]]
                                                        : QString();
    }
    csv::Error readHeader(const csv::Row &row);
    csv::Error readRecord(const csv::Row &row, int position, QuizRecord &record);
    csv::Error readNumber(const csv::Field &field, std::optional<qint32> &number);
    csv::Error readText(const csv::Field &field, QString &text);
    csv::Error readAnswer(const csv::Field &field, QString &answer);
    csv::Error checkNumberIsNew(qint32 number);

    csv::Reader m_reader;
    bool m_unreadable;
    qint64 m_row = 0;
    QList<int> m_columns{0, 1, 2, 3, 4, 5, 6};
    QHash<qint32, qint64> m_rowOfNumber;
    QList<csv::Note> m_notes;
    Cp932Codec m_codec;
    QByteArray m_encoded;
};

csv::Error Importer::readRows(QList<QuizRecord> &records) {
    bool first = true;
    for (csv::Row row; m_reader.next(row);) {
        m_row = row.number;
        if (isBlank(row))
            continue;
        if (std::exchange(first, false)) {
            if (isHeader(row)) {
                if (csv::Error error = readHeader(row); !error.isNull())
                    return error;
                continue;
            }
            // Without a header the first row says how many of the seven columns there are.
            m_columns.resize(std::min<qsizetype>(row.width, kColumnCount));
        }
        if (records.size() >= quizrun::kMaxQuestionCount)
            return fail(-1, tr("問題が多すぎます (最大 %1 問)").arg(quizrun::kMaxQuestionCount));
        QuizRecord record;
        if (csv::Error error = readRecord(row, int(records.size()) + 1, record); !error.isNull())
            return error;
        records.append(std::move(record));
    }
    if (!m_reader.error().isNull())
        return readerError();
    if (records.isEmpty())
        return {0, -1, {}, tr("問題がありません")};
    return {};
}

// Empty cells after the last name are no columns: spreadsheets write rows as wide as the
// widest one.
csv::Error Importer::readHeader(const csv::Row &row) {
    qsizetype width = 0;
    for (const csv::Field &cell : row.cells) {
        if (!cell.text.trimmed().isEmpty())
            width = cell.column + 1;
    }
    m_columns.clear();
    for (qsizetype i = 0; i < width; ++i) {
        const QString name = cellText(row, i).trimmed();
        const int column = columnNamed(name);
        if (name.isEmpty())
            return fail(i, tr("列名が空です"));
        if (column < 0)
            return fail(i, tr("列名%1が分かりません (%2 のどれかです)")
                               .arg(quoted(name), columnNames().join(", ")));
        if (m_columns.contains(column))
            return fail(i, tr("列「%1」が 2 度あります").arg(columnNames()[column]));
        m_columns.append(column);
    }
    return {};
}

// A number left out takes the other one, as the editor sets both from one box; with neither,
// the question's place in the table. A row shorter than the table lost cells, as a line break
// typed into a cell that was not quoted splits its row in two.
csv::Error Importer::readRecord(const csv::Row &row, int position, QuizRecord &record) {
    if (row.width < m_columns.size())
        return fail(row.width, tr("列が足りません (この表は %1 列、この行は %2 列です)")
                                   .arg(m_columns.size())
                                   .arg(row.width));
    std::optional<qint32> numbers[kTextColumnsFrom];
    for (const csv::Field &field : row.cells) {
        if (field.column >= m_columns.size()) {
            if (field.text.isEmpty())
                continue; // empty cells past the table, as spreadsheets pad rows
            return fail(field.column,
                        tr("列が多すぎます (この表は %1 列です)").arg(m_columns.size()));
        }
        const int column = m_columns[field.column];
        csv::Error error = column < kTextColumnsFrom ? readNumber(field, numbers[column])
                           : textField(column) == QuizField::Answer
                               ? readAnswer(field, record.answer)
                               : readText(field, fieldText(record, textField(column)));
        if (!error.isNull())
            return error;
    }
    record.number = numbers[0].value_or(numbers[1].value_or(position));
    record.reportNumber = numbers[1].value_or(numbers[0].value_or(position));
    return checkNumberIsNew(record.number);
}

// Two questions of one number: the author numbered one of them wrong, or copied a row.
csv::Error Importer::checkNumberIsNew(qint32 number) {
    if (const auto found = m_rowOfNumber.constFind(number); found != m_rowOfNumber.cend()) {
        const qsizetype column =
            m_columns.contains(0) ? m_columns.indexOf(0) : m_columns.indexOf(1);
        return fail(column,
                    tr("番号 %1 が 2 度あります (%2 行目にもあります)").arg(number).arg(*found));
    }
    m_rowOfNumber.insert(number, m_row);
    return {};
}

// An answer no learner can give would make a question no one answers right. Its unmistakable
// twins are taken as what they stand for, and noted.
csv::Error Importer::readAnswer(const csv::Field &field, QString &answer) {
    answer = answerItStandsFor(field.text);
    if (quizrun::cannotBeGiven(answer))
        return fail(field.column,
                    tr("%1は解答できない値です (%2 のどれかです)")
                        .arg(quoted(field.text), quizrun::answerChoices().join(", ")));
    if (answer != field.text)
        m_notes.append(
            fail(field.column,
                 tr("%1を%2として読みました")
                     .arg(quoted(field.text), answer.isEmpty() ? tr("空欄") : quoted(answer))));
    return {};
}

csv::Error Importer::readNumber(const csv::Field &field, std::optional<qint32> &number) {
    if (field.text.trimmed().isEmpty())
        return {};
    const WholeNumber whole = toInt32(field.text);
    if (whole.error == errors::kOverflow)
        return fail(field.column, tr("%1は %2 から %3 までに収まりません")
                                      .arg(quoted(field.text.trimmed()))
                                      .arg(INT32_MIN)
                                      .arg(INT32_MAX));
    if (!whole.ok())
        return fail(field.column, tr("%1が数ではありません").arg(quoted(field.text.trimmed())));
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
        return fail(field.column, cp932::unmappableMessage({unmappable.value(0)}) +
                                      tr(" (クイズファイルに保存できません)"));
    }
    if (field.cut || length > quizfile::kMaxTextBytes)
        return fail(field.column, tr("長すぎます (%1 バイト%2、最大 %3 バイト)")
                                      .arg(length)
                                      .arg(field.cut ? tr("以上") : QString())
                                      .arg(quizfile::kMaxTextBytes));
    return {};
}

ImportResult import(QIODevice &in, qint64 size, Separator separator) {
    ImportResult result;
    const csv::Detected detected = csv::detect(in, size);
    result.encoding = detected.encoding;
    result.bom = detected.bom;
    result.error.message = detected.error;
    if (!result.ok())
        return result;
    csv::DecodingSource source(in, size, detected);
    Importer importer(source, separatorChar(separator), detected.neither);
    result.error = importer.run(result.records);
    if (result.ok())
        result.notes = importer.notes();
    else
        result.records.clear();
    result.records.squeeze();
    return result;
}

} // namespace

ImportResult importFile(const QString &path, Separator separator) {
    QFile file;
    ImportResult result;
    result.error.message = wholefile::openRegular(path, file, tr("%1 はファイルではありません"));
    return result.ok() ? import(file, file.size(), separator) : result;
}

ImportResult importBytes(QByteArrayView bytes, Separator separator) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return import(buffer, data.size(), separator);
}

} // namespace quizcsv
