#include "Controls.h"
#include "HtmlPane.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "PaneProbe.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTcpServer>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

using testsupport::control;

using paneprobe::evaluate;

namespace {
const QString kSecret = QStringLiteral("SECRET-7f3a9c");
// Written by a script that runs; the mark-up spells it in two pieces.
const QString kHijacked = QStringLiteral("HIJACKED");
const QUrl kBlank(QStringLiteral("file:///"));
// The last picture of every page, from the quiz folder: once it is complete, the mark-up before
// it has been read and its loads, refreshes and handlers have been set going.
const QString kSettled = QStringLiteral("<img id=\"settled\" src=\"file:///PathName/in.png\">");

// Waits until what the pane shows has had its chance to act.
bool settled(HtmlPane *pane) {
    return testsupport::waitUntil([pane] {
        return evaluate(pane, QStringLiteral("(function (e) { return !!e && e.complete; })"
                                             "(document.getElementById('settled'))"))
            .toBool();
    });
}

QuizRecord question(int number, const QString &markup) {
    QuizRecord record = numberedQuestion(number);
    record.question += markup + kSettled;
    record.choices = QString::fromUtf8("<P>選択肢 %1</P>").arg(number) + markup + kSettled;
    return record;
}

// What is wrong with a pane that should show this text, or nothing.
QString problemOf(HtmlPane *pane, const QString &expected) {
    if (pane->url() != kBlank)
        return QStringLiteral("left its page for ") + pane->url().toString();
    const QString text = paneprobe::visibleText(pane);
    if (!text.contains(expected) || text.contains(kSecret) || text.contains(kHijacked) ||
        text.contains(QStringLiteral("FOREIGN FRAME")))
        return QStringLiteral("shows: ") + text;
    return QString();
}
// Whether a script of the page's own world runs.
bool pageRunsScripts(HtmlPane *pane) {
    return evaluate(pane, QStringLiteral("1 + 1"), true).isValid();
}
} // namespace

class TestHostileQuiz : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;
    QTemporaryDir elsewhere; // outside the quiz folder
    QString secretUrl;
    QString outsidePicture;
    QTcpServer server;
    int connections = 0;
    int dialogs = 0;
    QTimer dialogCloser;

    void writePicture(const QString &path, int width) {
        QImage picture(width, 2, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(picture.save(path, "PNG"));
    }

    // One window serves every case: each shows its mark-up as a section of its own.
    void showQuestionOne(const QString &markup) {
        const QString section = QStringLiteral("hostile%1").arg(++sections);
        f->writeQuiz(section, {question(1, markup), question(2, QString())});
        f->load(section);
    }
    int sections = 0;

private slots:
    void initTestCase() {
        secretUrl =
            QUrl::fromLocalFile(elsewhere.filePath(QStringLiteral("secret.txt"))).toString();
        testsupport::writeFile(elsewhere.filePath(QStringLiteral("secret.txt")), kSecret.toUtf8());
        outsidePicture = elsewhere.filePath(QStringLiteral("outside.png"));
        writePicture(outsidePicture, 5);
        QVERIFY(server.listen(QHostAddress::LocalHost));
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                ++connections;
                socket->abort();
            }
        });
        // A dialog opened by page content would wait for a user: close and count it.
        connect(&dialogCloser, &QTimer::timeout, this, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                ++dialogs;
                modal->close();
            }
        });
        dialogCloser.start(50);
        f = std::make_unique<MainWindowFixture>();
        const QDir folder(f->folder());
        writePicture(folder.filePath(QStringLiteral("in.png")), 3);
        writePicture(folder.filePath(QStringLiteral("img/in.png")), 3);
        QVERIFY(QFile::link(outsidePicture, folder.filePath(QStringLiteral("link.png"))));
        QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("fifo.png"))), 0600), 0);
        f->start();
    }
    void init() { connections = dialogs = 0; }
    void cleanupTestCase() { f.reset(); }

    void hostileMarkupStaysInert_data() {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<bool>("click"); // the user clicks the element "hostile"
        const QString onError = QStringLiteral("<img src=\"x\" onerror=\"%1\">");
        QTest::newRow("event handler")
            << onError.arg("this.insertAdjacentText('afterend', 'HI' + 'JACKED')") << false;
        QTest::newRow("fetch of a local file")
            << onError.arg("fetch('%SECRET%').then(r => r.text()).then(t => "
                           "document.body.append(t))")
            << false;
        QTest::newRow("synchronous request")
            << onError.arg("var x = new XMLHttpRequest(); x.open('GET', '%SECRET%', false); "
                           "x.send(); document.body.append(x.responseText)")
            << false;
        QTest::newRow("frame of a local file") << "<iframe src=\"%SECRET%\"></iframe>" << false;
        QTest::newRow("meta refresh")
            << "<meta http-equiv=\"refresh\" content=\"0;url=%SECRET%\">" << false;
        QTest::newRow("location change") << onError.arg("location.href = '%SECRET%'") << false;
        QTest::newRow("form submit") << "<form action=\"%SECRET%\"><input id=\"hostile\" "
                                        "type=\"submit\" value=\"GO\"></form>"
                                     << true;
        QTest::newRow("link click") << "<a id=\"hostile\" href=\"%SECRET%\">GO</a>" << true;
        QTest::newRow("alert") << onError.arg("alert('a'); alert('b')") << false;
        QTest::newRow("endless loop") << onError.arg("while (true) {}") << false;
        QTest::newRow("planted timer")
            << onError.arg("setInterval(function () { document.body.innerHTML = 'HI' + "
                           "'JACKED'; }, 50)")
            << false;
        QTest::newRow("web socket")
            << onError.arg("new WebSocket('ws://127.0.0.1:%PORT%/')") << false;
        QTest::newRow("remote picture") << "<img src=\"http://127.0.0.1:%PORT%/a.png\">" << false;
    }
    void hostileMarkupStaysInert() {
        QFETCH(QString, markup);
        QFETCH(bool, click);
        markup.replace(QStringLiteral("%SECRET%"), secretUrl)
            .replace(QStringLiteral("%PORT%"), QString::number(server.serverPort()));
        showQuestionOne(markup);
        MainWindow *form = f->form;
        QVERIFY(panesApplied(form));
        if (click)
            QVERIFY(paneprobe::clickElement(control<HtmlPane>(form, "questionPane"),
                                            QStringLiteral("hostile")));
        QVERIFY(settled(control<HtmlPane>(form, "questionPane")) &&
                settled(control<HtmlPane>(form, "choicesPane")));
        // Nor could anything act later: the page's own scripts do not run at all.
        QVERIFY(!pageRunsScripts(control<HtmlPane>(form, "questionPane")) &&
                !pageRunsScripts(control<HtmlPane>(form, "choicesPane")));
        QString problem =
            problemOf(control<HtmlPane>(form, "questionPane"), QString::fromUtf8("問題 1"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        problem = problemOf(control<HtmlPane>(form, "choicesPane"), QString::fromUtf8("選択肢 1"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(dialogs, 0);
        QCOMPARE(connections, 0);
        QVERIFY(messagebox::takeShown().isEmpty());

        control<QLineEdit>(form, "questionNumberBox")->setText(QStringLiteral("2"));
        QVERIFY(panesApplied(form));
        QVERIFY(settled(control<HtmlPane>(form, "questionPane")) &&
                settled(control<HtmlPane>(form, "choicesPane")));
        problem = problemOf(control<HtmlPane>(form, "questionPane"), QString::fromUtf8("問題 2"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        problem = problemOf(control<HtmlPane>(form, "choicesPane"), QString::fromUtf8("選択肢 2"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void picturesComeOnlyFromTheQuizFolder_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("width"); // 0: not loaded
        QTest::newRow("in the quiz folder") << "file:///PathName/in.png" << 3;
        QTest::newRow("backslash as separator") << "file:///PathName\\img\\in.png" << 3;
        QTest::newRow("outside the quiz folder") << "%OUTSIDE%" << 0;
        QTest::newRow("dot-dot out of the folder") << "file:///PathName/%UP%" << 0;
        QTest::newRow("link to a picture outside") << "file:///PathName/link.png" << 0;
        QTest::newRow("FIFO in the quiz folder") << "file:///PathName/fifo.png" << 0;
    }
    void picturesComeOnlyFromTheQuizFolder() {
        QFETCH(QString, source);
        QFETCH(int, width);
        const QDir folder(f->folder());
        source.replace(QStringLiteral("%OUTSIDE%"), QUrl::fromLocalFile(outsidePicture).toString())
            .replace(QStringLiteral("%UP%"), folder.relativeFilePath(outsidePicture));
        showQuestionOne(QStringLiteral("<img id=\"picture\" src=\"%1\">").arg(source));
        QVERIFY(panesApplied(f->form));
        const auto picture = [this](const char *property) {
            return evaluate(control<HtmlPane>(f->form, "questionPane"),
                            QStringLiteral("document.getElementById('picture').") + property);
        };
        TRY_VERIFY(picture("complete").toBool());
        QCOMPARE(picture("naturalWidth").toInt(), width);
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestHostileQuiz)
#include "tst_hostilequiz.moc"
