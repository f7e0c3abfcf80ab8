#include "HtmlPage.h"
#include "TestSupport.h"

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
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestPages)
#include "tst_pages.moc"
