#include "QuizCsv.h"
#include "QuizFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QtTest>

Q_DECLARE_METATYPE(quizcsv::Separator)
Q_DECLARE_METATYPE(csv::Encoding)

using quizcsv::Separator;
using Table = QList<QStringList>;

namespace {
const QString kSamples = QStringLiteral(TESSELLAR_SAMPLE_DIR);
const QString kWindowsQuiz = QStringLiteral(TESSELLAR_TEST_DATA "/windows-quiz/QKANA.TSL");

Table tableOf(const QList<QuizRecord> &records) {
    Table table;
    for (const QuizRecord &r : records)
        table.append({QString::number(r.number), QString::number(r.reportNumber), r.question,
                      r.choices, r.answer, r.keyPoint, r.imageFile});
    return table;
}

// Gives the reader a text a character at a time, so that every field, quote and line break
// ends up split between two pieces somewhere.
class CharacterSource : public csv::TextSource {
public:
    explicit CharacterSource(QStringView text) : m_text(text) {}
    bool readMore(QString &out) override {
        if (m_at >= m_text.size())
            return false;
        out += m_text[m_at++];
        return true;
    }

private:
    QStringView m_text;
    qsizetype m_at = 0;
};

Table rowsOf(csv::TextSource &&source, QChar separator) {
    csv::Reader reader(source, separator);
    Table rows;
    for (csv::Row row; reader.next(row);) {
        rows.append(QStringList());
        for (const csv::Field &field : row.cells)
            rows.last().append(field.text);
    }
    return reader.error().isNull() ? rows : Table{{reader.error().message}};
}

QuizRecord record(const QStringList &f) {
    return {f[0].toInt(), f[1].toInt(), f[2], f[3], f[4], f[5], f[6], {}};
}

// A quiz with every field a table can get wrong.
QByteArray oddQuiz() {
    const QList<QuizRecord> records{
        record({"1", "1", "", "", "", "", ""}),
        record({"0", "-7", "行1\r\n行2\r\n", "a,b\tc", "○", " 空白 ", "img\\a.gif"}),
        record({"2147483647", "-2147483648", "\"", "\r\n", "×", "ｶﾀｶﾅ①～", "番号\t"}),
    };
    return quizfile::encode(3, records).bytes;
}
// A quiz whose table spans many of the blocks a file is read in, so that block ends fall
// inside characters of every length, quoted fields and line breaks.
QByteArray largeQuiz() {
    QList<QuizRecord> records;
    for (int n = 1; n <= 3000; ++n)
        records.append(
            record({QString::number(n), QString::number(n),
                    QString::fromUtf8("問題「%1」です\r\n\"引用\",ｶﾅ").arg(n).repeated(n % 7),
                    "選択肢", "1", "", ""}));
    return quizfile::encode(3000, records).bytes;
}
} // namespace

class TestCsv : public QObject {
    Q_OBJECT
private slots:
    void readsRowsAsSpreadsheetsWriteThem_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<Table>("rows");
        QTest::newRow("plain") << "a,b\r\nc,d\r\n" << QChar(',') << Table{{"a", "b"}, {"c", "d"}};
        QTest::newRow("quoted") << "\"a,\"\"b\"\"\",c" << QChar(',') << Table{{"a,\"b\"", "c"}};
        QTest::newRow("line breaks kept")
            << "\"1\r\n2\n3\r4\"\nx" << QChar(',') << Table{{"1\r\n2\n3\r4"}, {"x"}};
        QTest::newRow("empty fields, no final break")
            << ",\"\",\r,a," << QChar(',') << Table{{"", "", ""}, {"", "a", ""}};
        QTest::newRow("empty line") << "a\n\nb" << QChar(',') << Table{{"a"}, {""}, {"b"}};
        QTest::newRow("quote inside a field")
            << "<a href=\"x\">" << QChar(',') << Table{{"<a href=\"x\">"}};
        QTest::newRow("tab") << "a,b\t\"c\td\"" << QChar('\t') << Table{{"a,b", "c\td"}};
        QTest::newRow("nothing") << "" << QChar(',') << Table{};
        QTest::newRow("CR LF, CR, LF") << "a\r\n\r\r\nb\n"
                                       << QChar(',') << Table{{"a"}, {""}, {""}, {"b"}};
        QTest::newRow("quotes doubled at the end")
            << "\"\"\"\"\r\n\"\"\"\"\"\"" << QChar(',') << Table{{"\""}, {"\"\""}};
    }
    void readsRowsAsSpreadsheetsWriteThem() {
        QFETCH(QString, text);
        QFETCH(QChar, separator);
        QFETCH(Table, rows);
        QCOMPARE(rowsOf(csv::StringSource(text), separator), rows);
        QCOMPARE(rowsOf(CharacterSource(text), separator), rows);
        // The writer quotes what needs it, and its text reads back the same.
        QString written;
        for (const QStringList &row : rows)
            csv::appendRow(written, row, separator);
        QCOMPARE(rowsOf(csv::StringSource(written), separator), rows);
    }

    void importsQuestions_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<Table>("questions");
        QTest::newRow("Japanese header, BOM")
            << QByteArray("\xEF\xBB\xBF番号,報告番号,問題文,選択肢,正解,ポイント,画像\r\n"
                          "3,4,q,c,○,k,i\r\n")
            << "UTF-8 (BOM 付き)" << Table{{"3", "4", "q", "c", "○", "k", "i"}};
        QTest::newRow("English header, any order, no numbers")
            << QByteArray("answer,QUESTION\n1,q1\n\n2,\"q\n2\"\n") << "UTF-8"
            << Table{{"1", "1", "q1", "", "1", "", ""}, {"2", "2", "q\r\n2", "", "2", "", ""}};
        QTest::newRow("one number stands for both")
            << QByteArray("報告番号,問題文\n１２,q\n,r\n") << "UTF-8"
            << Table{{"12", "12", "q", "", "", "", ""}, {"2", "2", "r", "", "", "", ""}};
        QTest::newRow("no header, padding")
            << QByteArray("5,6,q,,,,,\r\n7,,\"\"\"\",c,1,k,i,,\r\n") << "UTF-8"
            << Table{{"5", "6", "q", "", "", "", ""}, {"7", "7", "\"", "c", "1", "k", "i"}};
        QTest::newRow("no header, as wide as the first row")
            << QByteArray("1,2,q\n3,4,r\n") << "UTF-8"
            << Table{{"1", "2", "q", "", "", "", ""}, {"3", "4", "r", "", "", "", ""}};
        QTest::newRow("rows with nothing in them, anywhere")
            << QByteArray(",,,\n問題文,正解\n,\nq1,1\n,\n\nq2,2\n,,,,,,,,\n,\n") << "UTF-8"
            << Table{{"1", "1", "q1", "", "1", "", ""}, {"2", "2", "q2", "", "2", "", ""}};
        QTest::newRow("CP932") << QByteArray("1,1,\x96\xE2,\xB6") << "Shift_JIS (CP932)"
                               << Table{{"1", "1", "問", "ｶ", "", "", ""}};
        // UTF-8 of "あ" cut short, which CP932 reads as "縺" and "A"
        QTest::newRow("CP932 that starts like UTF-8")
            << QByteArray("1,1,\xE3\x81"
                          "A")
            << "Shift_JIS (CP932)" << Table{{"1", "1", "縺A", "", "", "", ""}};
    }
    void importsQuestions() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, encoding);
        QFETCH(Table, questions);
        const quizcsv::ImportResult result = quizcsv::importBytes(bytes, Separator::Comma);
        QVERIFY2(result.ok(), qPrintable(result.error.text()));
        QCOMPARE(result.encodingName(), encoding);
        QCOMPARE(tableOf(result.records), questions);
    }

    // Places are named as a spreadsheet shows them: the row (a cell with line breaks in it
    // is one row), the column's letter and its name.
    void refusesNamingRowAndColumn_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("quote never closed")
            << QByteArray("1,1,q\n2,2,\"q\n\n") << "2 行目 C 列 (問題文): 引用符が閉じていません";
        QTest::newRow("text after a quote")
            << QByteArray("1,\"1\"x")
            << "1 行目 B 列 (報告番号): 引用符で囲んだ値の後に余分な文字があります";
        QTest::newRow("too many fields") << QByteArray("問題文,正解\nq,1,x\n")
                                         << "2 行目 C 列: 列が多すぎます (この表は 2 列です)";
        QTest::newRow("a field far past the table")
            << QByteArray("問題文\nq") + QByteArray(30, ',') + "x"
            << "2 行目 AE 列: 列が多すぎます (この表は 1 列です)";
        QTest::newRow("not a number")
            << QByteArray("1,1,q\n\"問\",1,r\n") << "2 行目 A 列 (番号): 「問」が数ではありません";
        QTest::newRow("out of range") << QByteArray("番号\n2147483648")
                                      << "2 行目 A 列 (番号): 「2147483648」は -2147483648 から "
                                         "2147483647 までに収まりません";
        QTest::newRow("not in CP932, after a line break in a cell")
            << QByteArray("1,1,\"a\r\nb\"\n2,2,😀")
            << "2 行目 C 列 (問題文): Shift_JIS (CP932) で表せない文字「😀」(U+1F600) があります "
               "(クイズファイルに保存できません)";
        QTest::newRow("too long") << QByteArray("1,1,") + QByteArray(65536, 'a')
                                  << "1 行目 C 列 (問題文): 長すぎます (65536 バイト、最大 65535 "
                                     "バイト)";
        QTest::newRow("far too long")
            << QByteArray("1,1,\"") + QByteArray(1 << 20, 'a') + "\"\n"
            << "1 行目 C 列 (問題文): 長すぎます (65536 バイト以上、最大 65535 バイト)";
        QTest::newRow("more questions than a run takes")
            << QByteArray("問題文\n") + QByteArray("q\n").repeated(32767)
            << "32768 行目: 問題が多すぎます (最大 32766 問)";
        QTest::newRow("unknown column")
            << QByteArray("番号,問題\n")
            << "1 行目 B 列: 列名「問題」が分かりません (番号, 報告番号, "
               "問題文, 選択肢, 正解, ポイント, 画像 のどれかです)";
        QTest::newRow("column twice")
            << QByteArray("番号,Number\n") << "1 行目 B 列: 列「番号」が 2 度あります";
        QTest::newRow("no questions")
            << QByteArray("\xEF\xBB\xBF問題文\r\n\r\n") << "問題がありません";
        QTest::newRow("rows with nothing in them only")
            << QByteArray("番号,問題文\r\n,\r\n,\r\n") << "問題がありません";
        QTest::newRow("row shorter than the header")
            << QByteArray("番号,問題文,正解\n1,q,1\n2,\"r\"\n")
            << "3 行目 C 列 (正解): 列が足りません (この表は 3 列、この行は 2 列です)";
        QTest::newRow("row split by a line break, no header")
            << QByteArray("1,1,q,c,1\n2,2,q\nr,c,2\n")
            << "2 行目 D 列 (選択肢): 列が足りません (この表は 5 列、この行は 3 列です)";
        QTest::newRow("number twice")
            << QByteArray("番号,問題文\n1,q\n\n2,r\n1,s\n")
            << "5 行目 A 列 (番号): 番号 1 が 2 度あります (2 行目にもあります)";
        QTest::newRow("report number twice, standing for the number")
            << QByteArray("問題文,報告番号\nq,7\nr,7\n")
            << "3 行目 B 列 (報告番号): 番号 7 が 2 度あります (2 行目にもあります)";
        QTest::newRow("neither encoding") << QByteArray("問題文\n\x96\xE2\xFF")
                                          << "2 行目 A 列 (番号): UTF-8 としても Shift_JIS (CP932) "
                                             "としても読めないバイト (0xFF) があります";
        QTest::newRow("BOM, then not UTF-8")
            << QByteArray("\xEF\xBB\xBF"
                          "a,\xC0\x80")
            << "1 行目 B 列 (報告番号): UTF-8 として読めないバイト (0xC0) があります";
    }
    void refusesNamingRowAndColumn() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const quizcsv::ImportResult result = quizcsv::importBytes(bytes, Separator::Comma);
        QCOMPARE(result.error.text(), error);
        QVERIFY(result.records.isEmpty());
    }

    // An answer a learner can never give is refused; its unmistakable twins are taken as what
    // they stand for, and said so.
    void readsAnswersALearnerCanGive_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("answer"); // empty when refused
        QTest::addColumn<QString>("said");
        const QString at = QString::fromUtf8("2 行目 B 列 (正解): ");
        const QString refused =
            QString::fromUtf8("は解答できない値です (1, 2, 3, 4, ○, × のどれかです)");
        QTest::newRow("digit") << "4"
                               << "4"
                               << "";
        QTest::newRow("false") << "×"
                               << "×"
                               << "";
        QTest::newRow("none yet") << ""
                                  << ""
                                  << "";
        QTest::newRow("full-width digit") << "１"
                                          << "1" << at + "「１」を「1」として読みました";
        QTest::newRow("ideographic zero") << "〇"
                                          << "○" << at + "「〇」を「○」として読みました";
        QTest::newRow("spaces around") << "\"\u3000○ \""
                                       << "○" << at + "「\u3000○ 」を「○」として読みました";
        QTest::newRow("only spaces") << "\"  \""
                                     << "" << at + "「  」を空欄として読みました";
        QTest::newRow("five") << "5"
                              << "" << at + "「5」" + refused;
        QTest::newRow("full-width five") << "５"
                                         << "" << at + "「５」" + refused;
        QTest::newRow("a cross that is not ×") << "✕"
                                               << "" << at + "「✕」" + refused;
        QTest::newRow("large circle") << "◯"
                                      << "" << at + "「◯」" + refused;
        QTest::newRow("two answers") << "1,2"
                                     << ""
                                     << "2 行目 C 列: 列が多すぎます (この表は 2 列です)";
        QTest::newRow("line break inside") << "\"1\n2\""
                                           << "" << at + "「1↵2」" + refused;
    }
    void readsAnswersALearnerCanGive() {
        QFETCH(QString, cell);
        QFETCH(QString, answer);
        QFETCH(QString, said);
        const quizcsv::ImportResult result =
            quizcsv::importBytes("問題文,正解\nq," + cell.toUtf8(), Separator::Comma);
        QStringList told{result.error.text()};
        for (const csv::Note &note : result.notes)
            told.append(note.text());
        QCOMPARE(told.join(QString()), said);
        QCOMPARE(result.records.value(0).answer, answer);
    }

    void exportWritesTheHeaderAndOneRowPerQuestion_data() {
        QTest::addColumn<Separator>("separator");
        QTest::addColumn<csv::Encoding>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray header = "番号,報告番号,問題文,選択肢,正解,ポイント,画像\r\n";
        QTest::newRow("UTF-8") << Separator::Comma << csv::Encoding::Utf8
                               << "\xEF\xBB\xBF" + header + "1,1,abc,,○,,\r\n";
        QTest::newRow("TSV") << Separator::Tab << csv::Encoding::Utf8
                             << "\xEF\xBB\xBF" + QByteArray(header).replace(',', '\t') +
                                    "1\t1\tabc\t\t○\t\t\r\n";
        QTest::newRow("CP932") << Separator::Comma << csv::Encoding::Cp932
                               << QByteArray("\x94\xD4\x8D\x86,\x95\xF1\x8D\x90\x94\xD4\x8D\x86,"
                                             "\x96\xE2\x91\xE8\x95\xB6,\x91\x49\x91\xF0\x8E\x88,"
                                             "\x90\xB3\x89\xF0,\x83|\x83"
                                             "C\x83\x93\x83g,"
                                             "\x89\xE6\x91\x9C\r\n1,1,abc,,\x81\x9B,,\r\n");
    }
    void exportWritesTheHeaderAndOneRowPerQuestion() {
        QFETCH(Separator, separator);
        QFETCH(csv::Encoding, encoding);
        QFETCH(QByteArray, bytes);
        const QuizRecord worked = record({"1", "1", "abc", "", "○", "", ""});
        QCOMPARE(quizcsv::exportBytes({worked}, separator, encoding).bytes, bytes);
        // CP932 cannot hold what a text box can: the question and column are named.
        QuizRecord emoji = worked;
        emoji.keyPoint = QString::fromUtf8("x\r\n😀");
        const csv::Error error =
            quizcsv::exportBytes({worked, emoji}, separator, csv::Encoding::Cp932).error;
        QVERIFY2(error.text().startsWith(
                     QString::fromUtf8("3 行目 F 列 (ポイント): 問題 2 に Shift_JIS (CP932)")),
                 qPrintable(error.text()));
    }

    void exportThenImportIsTheSameQuizFile_data() {
        QTest::addColumn<QByteArray>("quiz");
        QTest::addColumn<Separator>("separator");
        QTest::addColumn<csv::Encoding>("encoding");
        QList<std::pair<QString, QByteArray>> quizzes{
            {"odd fields", oddQuiz()},
            {"QKANA.TSL", testsupport::readFile(kWindowsQuiz)},
            {"large", largeQuiz()}};
        for (const QString &name : QDir(kSamples).entryList({"*.tsl"}))
            quizzes.append({name, testsupport::readFile(kSamples + "/" + name)});
        QCOMPARE(quizzes.size(), 5);
        for (const auto &[name, bytes] : quizzes)
            for (Separator separator : {Separator::Comma, Separator::Tab})
                for (csv::Encoding encoding : {csv::Encoding::Utf8, csv::Encoding::Cp932})
                    QTest::addRow("%s %s %s", qPrintable(name),
                                  separator == Separator::Tab ? "TSV" : "CSV",
                                  encoding == csv::Encoding::Utf8 ? "UTF-8" : "CP932")
                        << bytes << separator << encoding;
    }
    void exportThenImportIsTheSameQuizFile() {
        QFETCH(QByteArray, quiz);
        QFETCH(Separator, separator);
        QFETCH(csv::Encoding, encoding);
        const quizfile::ReadResult read = quizfile::parse(quiz);
        QVERIFY(read.ok && read.trailingBytes == 0);
        const quizcsv::ExportResult table = quizcsv::exportBytes(read.records, separator, encoding);
        QVERIFY(table.ok());
        const quizcsv::ImportResult back = quizcsv::importBytes(table.bytes, separator);
        QVERIFY2(back.ok(), qPrintable(back.error.text()));
        QCOMPARE(back.encoding, encoding);
        QCOMPARE(quizfile::encode(back.records.size(), back.records).bytes, quiz);
    }

    void separatorFromTheFileName() {
        for (const char *name : {"a.tsv", "b.TXT", "c.Tsv"})
            QCOMPARE(quizcsv::separatorFor(name), Separator::Tab);
        for (const char *name : {"a.csv", "tsv", "b.txt.csv"})
            QCOMPARE(quizcsv::separatorFor(name), Separator::Comma);
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestCsv)
#include "tst_csv.moc"
