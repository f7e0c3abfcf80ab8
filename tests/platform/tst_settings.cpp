#include "Settings.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

#include <memory>

class TestSettings : public QObject {
    Q_OBJECT
    std::unique_ptr<testsupport::CleanSettings> m_store;

private slots:
    // Runs before any test points the store elsewhere: the default file is the XDG one.
    void initTestCase() {
        settings::writeString(QStringLiteral("QPath"), QStringLiteral("/srv/quiz"));
        const QString file = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Tessellar/Tessellar.conf";
        QSettings ini(file, QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Settings/QPath")).toString(),
                 QStringLiteral("/srv/quiz"));
    }
    void init() { m_store = std::make_unique<testsupport::CleanSettings>(); }

    void defaults_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("fallback");
        QTest::newRow("MainLeft") << "MainLeft" << 1000;
        QTest::newRow("MainTop") << "MainTop" << 1000;
        QTest::newRow("MainWidth") << "MainWidth" << 8850;
        QTest::newRow("MainHeight") << "MainHeight" << 12000;
    }
    void defaults() {
        QFETCH(QString, key);
        QFETCH(int, fallback);
        QCOMPARE(settings::readNumber(key, fallback), fallback);
        settings::writeNumber(key, 4321);
        QCOMPARE(settings::readNumber(key, fallback), 4321);
    }

    void valuesThatAreNotNumbers_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("read");
        QTest::newRow("letters") << "wide" << 8850;
        QTest::newRow("empty") << "" << 8850;
        QTest::newRow("too large") << "99999999999" << 8850;
        QTest::newRow("negative is a number") << "-120" << -120;
        QTest::newRow("fraction rounds") << "9000.5" << 9000;
    }
    void valuesThatAreNotNumbers() {
        QFETCH(QString, stored);
        QFETCH(int, read);
        settings::writeString(QStringLiteral("MainWidth"), stored);
        QCOMPARE(settings::readNumber(QStringLiteral("MainWidth"), 8850), read);
    }

    void storedAsIniText() {
        settings::writeNumber(QStringLiteral("MainTop"), 1500);
        settings::writeString(QStringLiteral("QPath"), QString::fromUtf8("/home/先生/クイズ"));
        const QString file = m_store->folder() + "/Tessellar/Tessellar.conf";
        QVERIFY(QFile::exists(file));
        QSettings ini(file, QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Settings/MainTop")).toString(), QStringLiteral("1500"));
        QCOMPARE(settings::readString(QStringLiteral("QPath"), QString()),
                 QString::fromUtf8("/home/先生/クイズ"));
        QCOMPARE(settings::readString(QStringLiteral("Absent"), QStringLiteral("x")),
                 QStringLiteral("x"));
    }

    // A settings file that cannot be replaced (here a folder stands in its place) is told
    // once, with its name; the values written later are not told again.
    void unwritableStoreIsToldOnce() {
        QStringList told;
        settings::onWriteFailure([&told](const QString &file) { told.append(file); });
        const QString file = m_store->folder() + "/Tessellar/Tessellar.conf";
        QVERIFY(QDir().mkpath(file));
        settings::writeNumber(QStringLiteral("MainTop"), 1500);
        settings::writeNumber(QStringLiteral("MainLeft"), 1500);
        settings::onWriteFailure({});
        QCOMPARE(told, QStringList{file});
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestSettings)
#include "tst_settings.moc"
