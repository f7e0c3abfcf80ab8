#include "AboutDialog.h"
#include "Controls.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "SysInfo.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using testsupport::control;

namespace {
const QString kMsinfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocation = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kUnavailable = QString::fromUtf8("現時点ではｼｽﾃﾑ情報を使用できません");

QByteArray sz(const char *text) {
    return QByteArray(text) + QByteArray(3, '\0');
}
} // namespace

class TestAbout : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { f.reset(); }

    void texts() {
        AboutDialog about;
        QCOMPARE(about.windowTitle(), QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報 Tessellar"));
        QCOMPARE(control<QLabel>(&about, "versionLabel")->text(),
                 QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ 1.2.2"));
        QCOMPARE(AboutDialog::versionLine(1, 2, 10), QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ 1.2.10"));
        QCOMPARE(control<QLabel>(&about, "titleLabel")->text(), QStringLiteral("Tessellar"));
        QCOMPARE(control<QLabel>(&about, "descriptionLabel")->text(),
                 QString::fromUtf8(
                     "[Ｔｅｓｓｅｌｌａｒ]は，クイズの作成および実行，結果表示をします。"));
        QVERIFY(control<QLabel>(&about, "disclaimerLabel")
                    ->text()
                    .startsWith(QString::fromUtf8("警告:_")));
        QVERIFY(control<QLabel>(&about, "disclaimerLabel")
                    ->accessibleName()
                    .startsWith(QString::fromUtf8("警告: この"))); // heard without the sign
        QVERIFY(
            control<QLabel>(&about, "disclaimerLabel")->text().contains(QString::fromUtf8("責任")));
        QVERIFY(!control<QLabel>(&about, "iconLabel")->pixmap().isNull());
        QCOMPARE(control<QPushButton>(&about, "systemInfoButton")->text(),
                 QString::fromUtf8("ｼｽﾃﾑ情報(&S)..."));
    }

    void getKeyValue_data() {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("value"); // keyVal held "x" before the call
        QTest::addColumn<bool>("error");
        QTest::newRow("string cut at the first NUL")
            << 1u << QByteArray("C:\\a\0junk\0", 10) << true << "C:\\a" << false;
        QTest::newRow("32-bit number")
            << 4u << QByteArray("\x10\x02\0\0", 4) << true << "&hx210" << false;
        QTest::newRow("other type unchanged") << 3u << sz("bin") << true << "x" << false;
        QTest::newRow("no NUL in 1024 bytes")
            << 1u << QByteArray(1024, 'a') << false << "x" << true;
        QTest::newRow("longer than the buffer")
            << 1u << QByteArray(1025, 'a') << false << "" << false;
    }
    void getKeyValue() {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(bool, result);
        QFETCH(QString, value);
        QFETCH(bool, error);
        MemoryRegistry registry;
        registry.setValue(kMsinfo, QStringLiteral("PATH"), type, data);
        QString keyVal = QStringLiteral("x");
        bool runtimeError = false;
        QCOMPARE(sysinfo::GetKeyValue(registry, Registry::kLocalMachine, kMsinfo,
                                      QStringLiteral("PATH"), keyVal, runtimeError),
                 result);
        QCOMPARE(keyVal, value);
        QCOMPARE(runtimeError, error);
    }

    void missingKeyEmptiesTheValue() {
        MemoryRegistry registry;
        QString keyVal = QStringLiteral("x");
        bool error = false;
        QVERIFY(!sysinfo::GetKeyValue(registry, Registry::kLocalMachine, kMsinfo,
                                      QStringLiteral("PATH"), keyVal, error));
        QVERIFY(keyVal.isEmpty());
    }

    void startSysInfo_data() {
        QTest::addColumn<QByteArray>("first");  // PATH under MSINFO, empty = absent
        QTest::addColumn<QByteArray>("second"); // MSINFO under Shared Tools Location
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<QString>("installed"); // a program found on the desktop
        QTest::addColumn<QString>("started");   // empty = the message instead
        QTest::newRow("first value") << sz("C:\\Tools\\msinfo32.exe") << sz("D:\\x") << false << ""
                                     << "C:\\Tools\\msinfo32.exe";
        QTest::newRow("second value with the file")
            << QByteArray() << sz("D:\\MSINFO") << true << ""
            << "D:\\MSINFO\\MSINFO32.EXE";
        QTest::newRow("second value without the file")
            << QByteArray() << sz("D:\\MSINFO") << false << ""
            << "";
        QTest::newRow("neither") << QByteArray() << QByteArray() << false << ""
                                 << "";
        QTest::newRow("neither, a program installed")
            << QByteArray() << QByteArray() << false << "/usr/bin/hardinfo"
            << "/usr/bin/hardinfo";
    }
    void startSysInfo() {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(bool, fileThere);
        QFETCH(QString, installed);
        QFETCH(QString, started);
        AboutDialog about;
        auto registry = std::make_unique<MemoryRegistry>();
        if (!first.isEmpty())
            registry->setValue(kMsinfo, QStringLiteral("PATH"), 1, first);
        if (!second.isEmpty())
            registry->setValue(kLocation, QStringLiteral("MSINFO"), 1, second);
        about.registry = std::move(registry);
        QStringList tested, starts;
        about.fileExists = [&](const QString &path) {
            tested.append(path);
            return fileThere;
        };
        about.installedProgram = [&] { return installed; };
        about.startProgram = [&](const QString &path) {
            starts.append(path);
            return true;
        };
        QTest::mouseClick(control<QPushButton>(&about, "systemInfoButton"), Qt::LeftButton);
        QCOMPARE(starts, started.isEmpty() ? QStringList() : QStringList{started});
        const QList<messagebox::Shown> shown = messagebox::takeShown();
        QCOMPARE(shown.size(), started.isEmpty() ? 1 : 0);
        if (started.isEmpty())
            QCOMPARE(shown[0].text, kUnavailable);
        if (!first.isEmpty())
            QVERIFY(tested.isEmpty()); // the first value is started without a file test
    }

    void failedStartShowsTheMessage() {
        AboutDialog about;
        about.installedProgram = [] { return QStringLiteral("/usr/bin/sysinfo"); };
        about.startProgram = [](const QString &) { return false; };
        about.startSystemInfo();
        QCOMPARE(messagebox::takeShown().value(0).text, kUnavailable);
        QVERIFY(!about.isHidden() || true);
    }

    void enterAndEscClose_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void enterAndEscClose() {
        QFETCH(int, key);
        MainWindow *form = f->start();
        QVERIFY(!form->windowIcon().isNull());
        bool wasOpen = false;
        QTimer::singleShot(0, [&] {
            QWidget *about = QApplication::activeModalWidget();
            wasOpen = qobject_cast<AboutDialog *>(about) != nullptr;
            if (about)
                QTest::keyClick(about, Qt::Key(key));
        });
        control<QAction>(form, "helpAboutAction")->trigger();
        QVERIFY(wasOpen);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestAbout)
#include "tst_about.moc"
