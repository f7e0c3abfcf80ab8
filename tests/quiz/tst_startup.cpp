#include "Controls.h"
#include "Main.h"
#include "MainWindow.h"
#include "QuizState.h"
#include "Sections.h"
#include "Settings.h"
#include "TestSupport.h"
#include "WebSandbox.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using testsupport::control;

namespace {
QStringList items(const QComboBox *box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list.append(box->itemText(i));
    return list;
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
    std::unique_ptr<testsupport::CleanSettings> m_store;

private slots:
    void init() { m_store = std::make_unique<testsupport::CleanSettings>(); }
    void cleanup() {
        QApplication::closeAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void firstStartShowsTheSampleSections() {
        QuizState state;
        MainWindow *main = Main(state);
        QCOMPARE(state.quizFolder, sections::defaultQuizFolder());
        QCOMPARE(state.questionCount, 60);
        QVERIFY(state.questions.isEmpty());
        QCOMPARE(state.answerMarks, QList<qint32>{0});
        QCOMPARE(state.answerTexts, QStringList{QString()});
        QVERIFY(main && main->isVisible());
        QCOMPARE(main->windowTitle(), QStringLiteral("Tessellar"));
        auto *combo = main->findChild<QComboBox *>(QStringLiteral("sectionBox"));
        QVERIFY(combo);
        const QStringList listed = items(combo);
        QVERIFY(listed.contains(QString::fromUtf8("日本の地理")));
        QCOMPARE(listed, sections::list(sections::defaultQuizFolder()));
    }

    void quizFolderComesFromTheSettings() {
        QTemporaryDir dir;
        for (const char *name : {"qb.tsl", "qa.tsl"})
            testsupport::writeFile(dir.filePath(QLatin1String(name)), "x");
        settings::writeString(QStringLiteral("QPath"), dir.path());
        QuizState state;
        MainWindow *main = Main(state);
        QCOMPARE(state.quizFolder, dir.path());
        QCOMPARE(items(control<QComboBox>(main, "sectionBox")), (QStringList{"a", "b"}));
    }

    void missingFolderListsNothing() {
        settings::writeString(QStringLiteral("QPath"), QStringLiteral("/nonexistent/folder"));
        QuizState state;
        QCOMPARE(control<QComboBox>(Main(state), "sectionBox")->count(), 0);
    }

    // As root the web engine ends the program unless its sandbox is off; the program says so.
    void webSandboxRefusesRootOnly_data() {
        QTest::addColumn<bool>("root");
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<bool>("variable");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("refuses");
        const QStringList none;
        QTest::newRow("user") << false << QByteArray() << false << none << false;
        QTest::newRow("root") << true << QByteArray("--disable-gpu") << false << none << true;
        QTest::newRow("root, flag in the variable")
            << true << QByteArray("--disable-gpu --no-sandbox") << false << none << false;
        QTest::newRow("root, flag as an argument")
            << true << QByteArray() << false << QStringList{"tessellar", "--no-sandbox"} << false;
        QTest::newRow("root, sandbox variable") << true << QByteArray() << true << none << false;
        QTest::newRow("root, a longer flag only")
            << true << QByteArray("--no-sandboxes") << false << none << true;
    }
    void webSandboxRefusesRootOnly() {
        QFETCH(bool, root);
        QFETCH(QByteArray, flags);
        QFETCH(bool, variable);
        QFETCH(QStringList, arguments);
        QFETCH(bool, refuses);
        QCOMPARE(websandbox::refusesToStart(root, flags, variable, arguments), refuses);
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
