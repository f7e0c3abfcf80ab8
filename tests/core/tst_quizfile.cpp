#include "Cp932.h"
#include "QuizFile.h"
#include "TestSupport.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <iconv.h>

Q_DECLARE_METATYPE(QuizField)

using testsupport::readFile;
using testsupport::writeFile;

namespace {
// One question: Number 1, ReportNumber 1, Question "abc", Answer "○", the rest empty.
const QByteArray kWorkedExample =
    QByteArray::fromHex("01000000 01000000 01000000 0300616263 0000 0200819B 0000 0000");

QuizRecord workedRecord() {
    QuizRecord r;
    r.number = r.reportNumber = 1;
    r.question = QStringLiteral("abc");
    r.answer = QString::fromUtf8("○");
    return r;
}

// Two questions; the second starts at offset 52 and is laid out like the worked example:
// Number 52, ReportNumber 56, Question length 60 and bytes 62, Choices 65, Answer length 67
// and bytes 69, KeyPoint 71, ImageFile 73; 75 bytes in all.
QByteArray twoQuestions() {
    QuizRecord first;
    first.number = first.reportNumber = 1;
    first.question = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123");
    QuizRecord second = workedRecord();
    second.number = second.reportNumber = 2;
    return quizfile::encode(2, {first, second}).bytes;
}

// glibc's converter, a table independent of the codec's.
class Iconv {
public:
    Iconv(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() { iconv_close(m_cd); }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool isValid() const { return m_cd != iconv_t(-1); }
    // The converted bytes, or a null array when the input has no form in the target.
    QByteArray operator()(QByteArray in) {
        char out[16];
        char *inAt = in.data(), *outAt = out;
        size_t inLeft = in.size(), outLeft = sizeof out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_cd, &inAt, &inLeft, &outAt, &outLeft) == size_t(-1) || inLeft != 0)
            return {};
        return QByteArray(out, outAt - out);
    }

private:
    iconv_t m_cd;
};

// Every single byte and every code with a lead and a trail byte.
QList<QByteArray> allCodes() {
    QList<QByteArray> codes;
    for (int b = 0; b < 256; ++b)
        codes.append(QByteArray(1, char(b)));
    for (int lead = 0x81; lead <= 0xFC; ++lead)
        for (int trail = 0x40; trail <= 0xFC && cp932::isLeadByte(lead); ++trail)
            if (cp932::isTrailByte(trail))
                codes.append(QByteArray(1, char(lead)) + char(trail));
    return codes;
}

QString fromUtf16(const QByteArray &bytes) {
    return QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2);
}

QByteArray withInt32(QByteArray bytes, int at, qint32 value) {
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}
} // namespace

class TestQuizFile : public QObject {
    Q_OBJECT
private slots:
    void workedExampleBothWays() {
        QCOMPARE(quizfile::encode(1, {workedRecord()}).bytes, kWorkedExample);
        const quizfile::ReadResult read = quizfile::parse(kWorkedExample);
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.records, QList<QuizRecord>{workedRecord()});
        QCOMPARE(read.trailingBytes, 0);
    }

    void textLengthsAreCp932Bytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("full-width tilde") << QString::fromUtf8("～") << QByteArray("\x81\x60");
        QTest::newRow("full-width minus") << QString::fromUtf8("－") << QByteArray("\x81\x7C");
        QTest::newRow("circled one") << QString::fromUtf8("①") << QByteArray("\x87\x40");
        QTest::newRow("true") << QString::fromUtf8("○") << QByteArray("\x81\x9B");
        QTest::newRow("false") << QString::fromUtf8("×") << QByteArray("\x81\x7E");
        QTest::newRow("half-width katakana")
            << QString::fromUtf8("ｱｲｳ") << QByteArray("\xB1\xB2\xB3");
        QTest::newRow("ascii") << QStringLiteral("<P>1</P>") << QByteArray("<P>1</P>");
        QTest::newRow("40 full-width") << QString(40, QChar(0x554F)) // 問
                                       << QByteArray("\x96\xE2").repeated(40);
        QTest::newRow("CR LF kept") << QStringLiteral("a\r\nb") << QByteArray("a\r\nb");
    }
    void textLengthsAreCp932Bytes() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QuizRecord record;
        record.keyPoint = text;
        const QByteArray file = quizfile::encode(1, {record}).bytes;
        // count, two numbers, three empty texts, then the key point's length and bytes
        const int at = 4 + 8 + 3 * 2;
        QCOMPARE(qFromLittleEndian<quint16>(file.constData() + at), quint16(bytes.size()));
        QCOMPARE(file.mid(at + 2, bytes.size()), bytes);
        QCOMPARE(quizfile::parse(file).records.value(0).keyPoint, text);
    }

    void trailingBytesAreIgnored() {
        const quizfile::ReadResult read = quizfile::parse(kWorkedExample + QByteArray(100, 'x'));
        QVERIFY(read.ok);
        QCOMPARE(read.records.size(), 1);
        QCOMPARE(read.trailingBytes, 100);
    }

    void damagedFilesFail_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<QString>("reason");
        const QByteArray two = twoQuestions();
        QTest::newRow("empty file") << QByteArray() << 0LL << "問題数";
        QTest::newRow("cut inside the count") << two.left(2) << 0LL << "問題数";
        QTest::newRow("count 0") << withInt32(two, 0, 0) << 0LL << "1 以上";
        QTest::newRow("count -1") << withInt32(two, 0, -1) << 0LL << "1 以上";
        QTest::newRow("count 2^31-1") << withInt32(two, 0, INT32_MAX) << 0LL << "収まりません";
        QTest::newRow("count the size cannot hold")
            << kWorkedExample.left(21) << 0LL << "収まりません";
        QTest::newRow("cut inside Number") << two.left(54) << 52LL << "問題 2 の Number";
        QTest::newRow("cut inside ReportNumber") << two.left(58) << 56LL << "ReportNumber";
        QTest::newRow("cut inside a length") << two.left(61) << 60LL << "Question の長さ";
        QTest::newRow("cut inside a string") << two.left(63) << 62LL << "Question (3 バイト)";
        QTest::newRow("cut inside a two-byte answer")
            << two.left(70) << 69LL << "Answer (2 バイト)";
        QTest::newRow("cut before the last length") << two.left(73) << 73LL << "ImageFile の長さ";
        QTest::newRow("length past the end")
            << QByteArray(two).replace(60, 2, "\xFF\xFF") << 62LL << "65535 バイト";
        QTest::newRow("count one more than written") << withInt32(two, 0, 3) << 75LL << "問題 3";
    }
    void damagedFilesFail() {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, offset);
        QFETCH(QString, reason);
        const quizfile::ReadResult read = quizfile::parse(bytes);
        QVERIFY(!read.ok);
        QVERIFY(read.records.isEmpty());
        QCOMPARE(read.errorOffset, offset);
        QVERIFY2(read.error.startsWith(QStringLiteral("オフセット %1: ").arg(offset)),
                 qPrintable(read.error));
        QVERIFY2(read.error.contains(reason), qPrintable(read.error));
        QCOMPARE(read.failure, wholefile::Failure::Damaged);
    }

    void bytesThatAreNotCp932ReadAsReplacement_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<qint64>("badAt");
        QTest::newRow("0x80") << QByteArray("a\x80z") << QString::fromUtf8("a\uFFFDz") << 1LL;
        QTest::newRow("0xA0 and 0xFF")
            << QByteArray("\xA0\xFF") << QString::fromUtf8("\uFFFD\uFFFD") << 0LL;
        QTest::newRow("lead byte at the end")
            << QByteArray("ab\x82") << QString::fromUtf8("ab\uFFFD") << 2LL;
        QTest::newRow("lead byte before a line feed")
            << QByteArray("\x82\n") << QString::fromUtf8("\uFFFD\n") << 0LL;
        QTest::newRow("unassigned code")
            << QByteArray("\x82\xA0\x85\x40") << QString::fromUtf8("あ\uFFFD") << 2LL;
        QTest::newRow("unassigned code, then good ones") << QByteArray("\x85\x40\x82\xA0"
                                                                       "a")
                                                         << QString::fromUtf8("\uFFFDあa") << 0LL;
    }
    void bytesThatAreNotCp932ReadAsReplacement() {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        QFETCH(qint64, badAt);
        QByteArray file = kWorkedExample;
        file.replace(12, 5, QByteArray("\0\0", 2) + text);
        qToLittleEndian<quint16>(text.size(), file.data() + 12);
        const quizfile::ReadResult read = quizfile::parse(file);
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.records[0].question, expected);
        QCOMPARE(read.invalidTextOffsets, QList<qint64>{14 + badAt});
        QCOMPARE(read.records[0].answer, QString::fromUtf8("○")); // decoding goes on afterwards
    }

    // Decodes every code as glibc does, and writes back every character both read alike as
    // glibc writes it: Windows' choices among the NEC and IBM duplicates, as both tables make.
    void tableAgreesWithIconv() {
        Iconv toUtf16("UTF-16LE", "CP932"), toCp932("CP932", "UTF-16LE");
        QVERIFY(toUtf16.isValid() && toCp932.isValid());
        Cp932Codec codec;
        QStringList disagreements;
        int decoded = 0, encoded = 0;
        for (const QByteArray &code : allCodes()) {
            qsizetype bad = -1;
            const QString ours = codec.decode(code, &bad);
            const QByteArray theirs = toUtf16(code);
            ++decoded;
            if (theirs.isNull() ? bad < 0 : (bad >= 0 || ours != fromUtf16(theirs))) {
                disagreements << code.toHex() + " reads " + ours.toUtf8().toHex();
                continue;
            }
            if (theirs.isNull())
                continue;
            QByteArray back;
            ++encoded;
            if (!codec.encode(ours, back) || back != toCp932(theirs))
                disagreements << ours + " writes " + back.toHex();
        }
        qInfo("%d codes read, %d characters written back", decoded, encoded);
        QVERIFY2(disagreements.isEmpty(), qPrintable(disagreements.mid(0, 20).join(u'\n')));
    }

    // Reads each code of a lead byte as ICU's windows-31j converter reads it in a whole text,
    // bar the ASCII bytes, which Windows reads as themselves: the codes run together with the
    // single bytes in turn between them. A code ICU has no character for is one U+FFFD.
    void decodingAgreesWithIcu_data() {
        QTest::addColumn<int>("lead");
        for (int lead = 0x81; lead <= 0xFC; ++lead)
            if (cp932::isLeadByte(lead))
                QTest::addRow("%02X", lead) << lead;
    }
    void decodingAgreesWithIcu() {
        QFETCH(int, lead);
        Cp932Codec codec;
        QByteArray text; // per code: lead, trail and a single byte
        uchar single = 0;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!cp932::isTrailByte(trail))
                continue;
            const QByteArray code = QByteArray(1, char(lead)) + char(trail);
            QStringDecoder icu("windows-31j", QStringDecoder::Flag::Stateless);
            if (QString(icu.decode(code)).size() != 1 || icu.hasError()) {
                qsizetype bad = -1;
                QCOMPARE(codec.decode(code + 'a', &bad), QString::fromUtf8("\uFFFDa"));
                QCOMPARE(bad, 0);
                continue;
            }
            do
                ++single;
            while (!cp932::isSingleByte(single));
            text += code + char(single);
        }
        QStringDecoder icu("windows-31j", QStringDecoder::Flag::Stateless);
        QString expected = icu.decode(text);
        QVERIFY(!icu.hasError());
        for (qsizetype i = 0; 3 * i + 2 < text.size(); ++i)
            if (const auto b = uchar(text[3 * i + 2]); b < 0x80)
                expected[2 * i + 1] = QChar(b);
        qsizetype bad = -1;
        QCOMPARE(codec.decode(text, &bad), expected);
        QCOMPARE(bad, -1);
    }

    void linuxFormsAreWrittenAsTwins_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("wave dash") << QString::fromUtf8("〜") << QByteArray("\x81\x60");
        QTest::newRow("minus sign") << QString::fromUtf8("−") << QByteArray("\x81\x7C");
        QTest::newRow("cent sign") << QString::fromUtf8("¢") << QByteArray("\x81\x91");
        QTest::newRow("pound sign") << QString::fromUtf8("£") << QByteArray("\x81\x92");
        QTest::newRow("not sign") << QString::fromUtf8("¬") << QByteArray("\x81\xCA");
        QTest::newRow("double vertical line") << QString::fromUtf8("‖") << QByteArray("\x81\x61");
        QTest::newRow("em dash") << QString::fromUtf8("—") << QByteArray("\x81\x5C");
    }
    void linuxFormsAreWrittenAsTwins() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, bytes);
        QuizRecord record;
        record.answer = QStringLiteral("a") + typed;
        const quizfile::EncodeResult encoded = quizfile::encode(1, {record});
        QVERIFY2(encoded.ok(), qPrintable(encoded.error));
        QCOMPARE(encoded.bytes.mid(4 + 8 + 2 * 2),
                 QByteArray("\x03\0a", 3) + bytes + QByteArray(4, '\0'));
    }

    // A text with bytes that are not CP932 is saved as it was read until it is changed.
    void badBytesSurviveUntilTheTextChanges_data() {
        QTest::addColumn<QByteArray>("keyPoint");
        QTest::newRow("0x80") << QByteArray("a\x80z");
        QTest::newRow("unassigned code") << QByteArray("\x85\x40\x82\xA0");
        QTest::newRow("lead byte at the end") << QByteArray("ab\x82");
    }
    void badBytesSurviveUntilTheTextChanges() {
        QFETCH(QByteArray, keyPoint);
        QByteArray file = kWorkedExample;
        const int at = 4 + 8 + 5 + 2 + 4; // the key point's length
        file.replace(at, 2, QByteArray("\0\0", 2) + keyPoint);
        qToLittleEndian<quint16>(keyPoint.size(), file.data() + at);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("qbad.tsl"));
        writeFile(path, file);
        QList<QuizRecord> records = quizfile::read(path).records;
        QVERIFY(records.value(0).keyPoint.contains(QChar(0xFFFD)));
        const quizfile::EncodeResult unchanged = quizfile::encode(1, records);
        QVERIFY2(unchanged.ok(), qPrintable(unchanged.error));
        QVERIFY(quizfile::save(path, unchanged.bytes).ok);
        QCOMPARE(readFile(path), file);

        records[0].keyPoint = QString::fromUtf8("直した");
        QVERIFY(quizfile::save(path, quizfile::encode(1, records).bytes).ok);
        QCOMPARE(quizfile::read(path).records.value(0).keyPoint, QString::fromUtf8("直した"));
        QCOMPARE(readFile(path).mid(at), QByteArray("\x06\0\x92\xBC\x82\xB5\x82\xBD\0\0", 10));
    }

    void everyUnwritableCharacterIsNamed() {
        QList<QuizRecord> table(3, workedRecord());
        table[1].keyPoint = QString::fromUtf8("a😀b한😀");
        table[2].imageFile = QString::fromUtf8("é.gif");
        const quizfile::EncodeResult encoded = quizfile::encode(3, table);
        QCOMPARE(encoded.error,
                 QString::fromUtf8(
                     "問題 2 の「ポイント」: Shift_JIS (CP932) で表せない文字「😀」(U+1F600)"
                     "「한」(U+D55C) があります\n"
                     "問題 3 の「添付画像ファイル名」: Shift_JIS (CP932) で表せない文字"
                     "「é」(U+00E9) があります"));
        QCOMPARE(encoded.questionNumber, 2);
        QCOMPARE(encoded.field, QuizField::KeyPoint);
    }

    void codecWorksAgainAfterAnError() {
        Cp932Codec codec;
        QByteArray out;
        QList<char32_t> culprits;
        QVERIFY(!codec.encode(QString::fromUtf8("a한b"), out, &culprits));
        QCOMPARE(culprits, QList<char32_t>{U'한'});
        QCOMPARE(codec.appendEncoded(QString::fromUtf8("한"), out), -1);
        QCOMPARE(codec.appendEncoded(QString::fromUtf8("○"), out), 2);
        QCOMPARE(out, QByteArray("\x81\x9B"));
        QVERIFY(!codec.encode(QString::fromUtf8("😀"), out));
        QVERIFY(codec.encode(QString::fromUtf8("×"), out));
        QCOMPARE(out, QByteArray("\x81\x7E"));
    }

    void missingRecordsAreWrittenEmpty() {
        const quizfile::EncodeResult encoded = quizfile::encode(3, {workedRecord()});
        const quizfile::ReadResult read = quizfile::parse(encoded.bytes);
        QVERIFY(read.ok);
        QCOMPARE(read.records, (QList<QuizRecord>{workedRecord(), QuizRecord(), QuizRecord()}));
    }

    void unwritableTextsAreRefused_data() {
        QTest::addColumn<QuizField>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("emoji in the question")
            << QuizField::Question << QString::fromUtf8("a😀") << "😀";
        QTest::newRow("hangul in the key point")
            << QuizField::KeyPoint << QString::fromUtf8("한") << "U+D55C";
        QTest::newRow("65536 bytes of choices")
            << QuizField::Choices << QString(32768, QChar(0x554F)) << "65536";
        QTest::newRow("65536 ASCII answer")
            << QuizField::Answer << QString(65536, QLatin1Char('a')) << "最大 65535";
    }
    void unwritableTextsAreRefused() {
        QFETCH(QuizField, field);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        QList<QuizRecord> table(3, workedRecord());
        fieldText(table[1], field) = text;
        const quizfile::EncodeResult encoded = quizfile::encode(3, table);
        QVERIFY(!encoded.ok());
        QVERIFY(encoded.bytes.isEmpty());
        QCOMPARE(encoded.questionNumber, 2);
        QCOMPARE(encoded.field, field);
        QVERIFY2(encoded.error.contains(QStringLiteral("問題 2 の「%1」").arg(fieldCaption(field))),
                 qPrintable(encoded.error));
        QVERIFY2(encoded.error.contains(reason), qPrintable(encoded.error));
    }

    void longestTextIsWritten() {
        QuizRecord record;
        record.question = QString(65535, QLatin1Char('a'));
        const quizfile::EncodeResult encoded = quizfile::encode(1, {record});
        QVERIFY(encoded.ok());
        QCOMPARE(quizfile::parse(encoded.bytes).records.value(0).question.size(), 65535);
    }

    // A file is read a block at a time: a file of several blocks, whole, cut or damaged at
    // and around their edges, reads as its bytes do.
    void fileReadsAsItsBytes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QList<QuizRecord> table(6);
        for (int i = 0; i < 5; ++i) {
            table[i].question =
                QString(20000 + 977 * i, QLatin1Char('a')) + QString::fromUtf8("問");
            table[i].answer = QString::fromUtf8("○");
        }
        table[5].keyPoint = QString(65535, QLatin1Char('k'));
        const QByteArray file = quizfile::encode(6, table).bytes;
        QTest::newRow("whole, with trailing bytes") << file + "tail";
        for (int at : {65535, 65536, 65537, 131072, 131073, int(file.size()) - 1}) {
            QTest::addRow("cut at %d", at) << file.left(at);
            QTest::addRow("0x80 at %d", at) << QByteArray(file).replace(at, 1, "\x80");
        }
    }
    void fileReadsAsItsBytes() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("qblocks.tsl"));
        writeFile(path, bytes);
        const quizfile::ReadResult fromFile = quizfile::read(path);
        const quizfile::ReadResult fromBytes = quizfile::parse(bytes);
        QCOMPARE(fromFile.ok, fromBytes.ok);
        QCOMPARE(fromFile.error, fromBytes.error);
        QCOMPARE(fromFile.records, fromBytes.records);
        QCOMPARE(fromFile.trailingBytes, fromBytes.trailingBytes);
        QCOMPARE(fromFile.invalidTextOffsets, fromBytes.invalidTextOffsets);
        const quizfile::ReadResult checked = quizfile::read(path, quizfile::Mode::Check);
        QCOMPARE(checked.error, fromBytes.error);
        QCOMPARE(checked.invalidTextOffsets, fromBytes.invalidTextOffsets);
    }

    // A quiz cut short keeps nothing of its removed questions (their answers least of all).
    void shorterSaveLeavesNothingBehind() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("qtail.tsl"));
        const QByteArray sixty = quizfile::encode(60, QList<QuizRecord>(60, workedRecord())).bytes;
        QVERIFY(quizfile::save(path, sixty).ok);
        QCOMPARE(readFile(path), sixty);
        const QByteArray five = quizfile::encode(5, QList<QuizRecord>(5, workedRecord())).bytes;
        QVERIFY(quizfile::save(path, five).ok);
        QCOMPARE(readFile(path), five);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"qtail.tsl"});
    }

    void saveKeepsPermissions() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("qperm.tsl"));
        writeFile(path, kWorkedExample);
        const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path, mode));
        QVERIFY(quizfile::save(path, kWorkedExample).ok);
        const int ownerGroupOther = 0x7077;
        QCOMPARE(QFile::permissions(path) & ownerGroupOther, mode & ownerGroupOther);
    }

    void failedSavesWriteNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<wholefile::Failure>("failure");
        QTest::newRow("write-protected file")
            << "qro.tsl" << true << wholefile::Failure::WriteProtected;
        QTest::newRow("missing folder")
            << "nofolder/qx.tsl" << false << wholefile::Failure::WriteFailed;
        QTest::newRow("a folder in the way") << "qdir.tsl" << false << wholefile::Failure::NotAFile;
    }
    void failedSavesWriteNothing() {
        QFETCH(QString, name);
        QFETCH(bool, readOnly);
        QFETCH(wholefile::Failure, failure);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QDir(dir.path()).mkdir(QStringLiteral("qdir.tsl"));
        if (readOnly) {
            writeFile(path, "old");
            QFile::setPermissions(path, QFileDevice::ReadOwner);
        }
        const quizfile::SaveResult saved = quizfile::save(path, kWorkedExample);
        QVERIFY(!saved.ok);
        QCOMPARE(saved.failure, failure);
        QVERIFY2(saved.error.contains(path), qPrintable(saved.error));
        if (readOnly)
            QCOMPARE(readFile(path), QByteArray("old"));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("nofolder"))));
    }

    // What cannot be read says what it is, for a caller to decide on, and names the file.
    void unreadableFileFails_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<wholefile::Failure>("failure");
        QTest::newRow("missing") << "nofolder/qx.tsl" << wholefile::Failure::Missing;
        QTest::newRow("a folder") << "qdir.tsl" << wholefile::Failure::NotAFile;
        QTest::newRow("a FIFO") << "qfifo.tsl" << wholefile::Failure::NotAFile;
    }
    void unreadableFileFails() {
        QFETCH(QString, name);
        QFETCH(wholefile::Failure, failure);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("qdir.tsl")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("qfifo.tsl"))), 0600), 0);
        const quizfile::ReadResult read = quizfile::read(dir.filePath(name));
        QVERIFY(!read.ok);
        QCOMPARE(read.errorOffset, -1);
        QCOMPARE(read.failure, failure);
        QVERIFY(read.error.contains(dir.filePath(name)));
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestQuizFile)
#include "tst_quizfile.moc"
