#include "Sections.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
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

    void sectionOfFile_data() {
        QTest::addColumn<QString>("quizFile");
        QTest::addColumn<QString>("section");
        QTest::newRow("named by its section") << "/srv/quiz/qabc.tsl"
                                              << "abc";
        QTest::newRow("made on Windows") << "/srv/QKANA.TSL"
                                         << "KANA";
        QTest::newRow("dots in the section") << "//qa.b.tsl"
                                             << "a.b";
        QTest::newRow("any other name") << "/srv/test.tsl"
                                        << "test";
    }
    void sectionOfFile() {
        QFETCH(QString, quizFile);
        QFETCH(QString, section);
        QCOMPARE(sections::sectionOfFile(quizFile), section);
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

    // A folder made on Windows: names are found whatever their letter case, the exact one
    // first, and a file that is not there keeps the name asked for.
    void lettersCaseOfNamesOnDisk_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("imageFile");
        QTest::addColumn<QString>("quizFile"); // below the folder
        QTest::addColumn<QString>("picture");
        QTest::newRow("upper-case file") << QStringList{"QKANA.TSL", "IMG/fuji.gif"} << "KANA"
                                         << "img\\Fuji.GIF"
                                         << "QKANA.TSL"
                                         << "IMG/fuji.gif";
        QTest::newRow("mixed case") << QStringList{"Qkana.Tsl", "Fuji.gif"} << "kana"
                                    << "fuji.GIF"
                                    << "Qkana.Tsl"
                                    << "Fuji.gif";
        QTest::newRow("exact name wins") << QStringList{"qkana.tsl", "qKANA.tsl"} << "KANA"
                                         << "a.gif"
                                         << "qKANA.tsl"
                                         << "a.gif";
        QTest::newRow("missing keeps its name") << QStringList{} << "New"
                                                << "Sub\\New.gif"
                                                << "qNew.tsl"
                                                << "Sub/New.gif";
    }
    void lettersCaseOfNamesOnDisk() {
        QFETCH(QStringList, files);
        QFETCH(QString, section);
        QFETCH(QString, imageFile);
        QFETCH(QString, quizFile);
        QFETCH(QString, picture);
        QTemporaryDir dir;
        for (const QString &file : files) {
            QDir(dir.path()).mkpath(QFileInfo(dir.filePath(file)).path());
            testsupport::writeFile(dir.filePath(file), "x");
        }
        QCOMPARE(sections::quizFilePath(dir.path(), section), dir.filePath(quizFile));
        QCOMPARE(sections::picturePath(dir.path(), imageFile), dir.filePath(picture));
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
