#include "Sections.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestSections : public QObject {
    Q_OBJECT
private slots:
    void paths_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("quizFile");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("folder") << "/srv/quiz"
                                << "/srv/quiz/qabc.tsl"
                                << "/srv/quiz/q*.tsl";
        QTest::newRow("root keeps its doubled separator") << "/"
                                                          << "//qabc.tsl"
                                                          << "/q*.tsl";
        QTest::newRow("trailing separator") << "/srv/"
                                            << "/srv//qabc.tsl"
                                            << "/srv/q*.tsl";
        QTest::newRow("short folder") << "/a"
                                      << "/a/qabc.tsl"
                                      << "/a/q*.tsl";
    }
    void paths() {
        QFETCH(QString, folder);
        QFETCH(QString, quizFile);
        QFETCH(QString, pattern);
        QCOMPARE(sections::quizFilePath(folder, QStringLiteral("abc")), quizFile);
        QCOMPARE(sections::listingPattern(folder, QStringLiteral("q*.tsl")), pattern);
    }

    void picturePath_data() {
        QTest::addColumn<QString>("imageFile");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "a.gif"
                               << "/q/a.gif";
        QTest::newRow("windows sub-folder") << "img\\a.gif"
                                            << "/q/img/a.gif";
        QTest::newRow("slash") << "img/a.gif"
                               << "/q/img/a.gif";
    }
    void picturePath() {
        QFETCH(QString, imageFile);
        QFETCH(QString, path);
        QCOMPARE(sections::picturePath(QStringLiteral("/q"), imageFile), path);
    }

    void listing() {
        QTemporaryDir dir;
        for (const char *name : {"qzeta.tsl", "q.tsl", "QUPPER.TSL", "q日本.tsl", "qalpha.tsl",
                                 "xq.tsl", "qnote.tsl.bak", "qa.txt", ".qhidden.tsl"})
            testsupport::writeFile(dir.filePath(QString::fromUtf8(name)), "x");
        QDir(dir.path()).mkdir(QStringLiteral("qfolder.tsl"));
        const QStringList expected{"", "UPPER", "alpha", "zeta", QString::fromUtf8("日本")};
        QCOMPARE(sections::list(dir.path()), expected);
        QCOMPARE(sections::list(dir.path() + QLatin1Char('/')), expected);
    }

    void missingFolderListsNothing() {
        QVERIFY(sections::list(QStringLiteral("/nonexistent/quizzes")).isEmpty());
    }

    void defaultFolderIsTheSampleFolder() {
        const QString folder = sections::defaultQuizFolder();
        QVERIFY2(!sections::list(folder).isEmpty(), qPrintable(folder));
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestSections)
#include "tst_sections.moc"
