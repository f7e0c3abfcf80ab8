#include "Numbers.h"
#include "TestSupport.h"

#include <QtTest>

#include <limits>

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void toWholeNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("plain") << "60" << 60LL << 0;
        QTest::newRow("spaces") << "  25 " << 25LL << 0;
        QTest::newRow("sign") << "-3" << -3LL << 0;
        QTest::newRow("plus") << "+7" << 7LL << 0;
        QTest::newRow("half to even down") << "2.5" << 2LL << 0;
        QTest::newRow("half to even up") << "3.5" << 4LL << 0;
        QTest::newRow("negative half") << "-0.5" << 0LL << 0;
        QTest::newRow("fraction") << "40.6" << 41LL << 0;
        QTest::newRow("leading point") << ".7" << 1LL << 0;
        QTest::newRow("largest") << "32767" << 32767LL << 0;
        QTest::newRow("just over") << "32767.5" << 0LL << errors::kOverflow;
        QTest::newRow("too small") << "-32769" << 0LL << errors::kOverflow;
        QTest::newRow("huge") << QString(400, QLatin1Char('9')) << 0LL << errors::kOverflow;
        QTest::newRow("empty") << "" << 0LL << errors::kTypeMismatch;
        QTest::newRow("letters") << "abc" << 0LL << errors::kTypeMismatch;
        // What a Japanese input method types in full-width mode.
        QTest::newRow("full-width digits") << QString::fromUtf8("６０") << 60LL << 0;
        QTest::newRow("full-width sign and point") << QString::fromUtf8("－４５．５") << -46LL << 0;
        QTest::newRow("mixed widths") << QString::fromUtf8("＋1２") << 12LL << 0;
        QTest::newRow("minus sign") << QString::fromUtf8("−7") << -7LL << 0;
        QTest::newRow("ideographic spaces") << QString::fromUtf8("　２　") << 2LL << 0;
        QTest::newRow("full-width letters")
            << QString::fromUtf8("１ｅ３") << 0LL << errors::kTypeMismatch;
        QTest::newRow("two numbers") << "1 2" << 0LL << errors::kTypeMismatch;
        QTest::newRow("exponent") << "1e3" << 0LL << errors::kTypeMismatch;
    }
    void toWholeNumber() {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QFETCH(int, error);
        const WholeNumber number = toInt16(text);
        QCOMPARE(number.error, error);
        QCOMPARE(number.value, value);
    }

    // At the edges of qint64 the double a text rounds to may lie just outside the range.
    void widestRange_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("largest rounds up to 2^63")
            << "9223372036854775807" << 0LL << errors::kOverflow;
        QTest::newRow("largest double below 2^63")
            << "9223372036854774784" << 9223372036854774784LL << 0;
        QTest::newRow("smallest") << "-9223372036854775808" << std::numeric_limits<qint64>::min()
                                  << 0;
    }
    void widestRange() {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QFETCH(int, error);
        const WholeNumber number = ::toWholeNumber(text, std::numeric_limits<qint64>::min(),
                                                   std::numeric_limits<qint64>::max());
        QCOMPARE(number.error, error);
        QCOMPARE(number.value, value);
    }

    void messages() {
        QCOMPARE(errors::message(13), QString::fromUtf8("13 : 型が一致しません。"));
        QCOMPARE(errors::message(9), QString::fromUtf8("9 : インデックスが有効範囲にありません。"));
        QCOMPARE(errors::message(6), QString::fromUtf8("6 : オーバーフローしました。"));
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestNumbers)
#include "tst_numbers.moc"
