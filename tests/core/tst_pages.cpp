#include "HtmlPage.h"
#include "TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

class TestPages : public QObject {
    Q_OBJECT
private slots:
    void makeHtmlPage_data() {
        QTest::addColumn<QString>("fragment");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("body");
        const QString folder = QStringLiteral("/home/sensei/クイズ");
        QTest::newRow("empty fragment") << "" << folder << "";
        QTest::newRow("no placeholder") << "<P>富士山</P>" << folder << "<P>富士山</P>";
        QTest::newRow("picture") << R"(<img src="file:///PathName\a.gif">)" << folder
                                 << R"(<img src="file:////home/sensei/クイズ\a.gif">)";
        QTest::newRow("two placeholders") << "PathName|PathName" << folder << folder + "|" + folder;
        QTest::newRow("lower case") << "pathname/x" << folder << folder + "/x";
        QTest::newRow("capitals") << "PATHNAME"
                                  << "/"
                                  << "/";
        QTest::newRow("mixed case") << "pAtHnAmE"
                                    << "/q"
                                    << "/q";
        QTest::newRow("root folder") << "PathName\\a.gif"
                                     << "/"
                                     << "/\\a.gif";
        QTest::newRow("folder holding the word") << "PathName+PathName"
                                                 << "/PathName/x"
                                                 << "/PathName/x+/PathName/x";
        QTest::newRow("folder that completes a placeholder") << "PathPathName"
                                                             << "Name"
                                                             << "PathName";
        QTest::newRow("partial word") << "Path Name Pathnam" << folder << "Path Name Pathnam";
    }
    void makeHtmlPage() {
        QFETCH(QString, fragment);
        QFETCH(QString, folder);
        QFETCH(QString, body);
        const QString kept = fragment;
        QCOMPARE(MakeHtmlPage(fragment, folder), "<html><body>" + body + "</body></html>");
        QCOMPARE(fragment, kept);
    }

    // The addresses the renderer loads find the pictures on disk: letter case as on disk,
    // and a folder whose name holds characters an address cannot hold as they are.
    void picturesAddressedOnDisk_data() {
        QTest::addColumn<QString>("folderName");
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("file"); // the picture, below the folder
        QTest::newRow("case as on disk") << "quiz"
                                         << R"(<img src="file:///PathName\img\Fuji.GIF">)"
                                         << "IMG/fuji.gif";
        QTest::newRow("hash, percent, question mark, space")
            << "my #1 100% quiz?"
            << R"(<img src='file:///PathName/a b.gif'>)"
            << "a b.gif";
        QTest::newRow("unquoted") << "q #"
                                  << R"(<img src=file:///PathName\a.gif alt=x>)"
                                  << "a.gif";
    }
    void picturesAddressedOnDisk() {
        QFETCH(QString, folderName);
        QFETCH(QString, markup);
        QFETCH(QString, file);
        QTemporaryDir dir;
        const QString folder = dir.filePath(folderName);
        QDir().mkpath(QFileInfo(folder + "/" + file).path());
        testsupport::writeFile(folder + "/" + file, "x");
        const QString page = addressPicturesOnDisk(MakeHtmlPage(markup, folder), folder);
        const QRegularExpression source(QStringLiteral("src=['\"]?([^'\" ]+)"));
        const QUrl url(source.match(page).captured(1), QUrl::StrictMode);
        QVERIFY2(url.isValid() && url.isLocalFile(), qPrintable(page));
        QCOMPARE(url.toLocalFile(), folder + "/" + file);
        QVERIFY(page.contains(QStringLiteral(" alt=x>")) ||
                !markup.contains(QStringLiteral("alt")));
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestPages)
#include "tst_pages.moc"
