#include "Desktop.h"
#include "HtmlPane.h"
#include "MessageBox.h"
#include "PaneProbe.h"
#include "TestSupport.h"

#include <QApplication>
#include <QOpenGLContext>
#include <QWebEnginePage>
#include <QtTest>

#include <csignal>
#include <memory>

#include <sys/types.h>

using messagebox::Answer;
using paneprobe::evaluate;

namespace {
const QUrl kBlank(QStringLiteral("file:///"));
// The last link of every page: its question shows that every click before it was handled.
const QString kSentinel = QStringLiteral("https://example.org/sentinel");

QString linkPage(const QString &attributes) {
    const QString link =
        QStringLiteral("<a id=\"%1\" %2 style=\"display:block;font-size:40px\">%1</a>");
    return link.arg(QStringLiteral("link"), attributes) +
           link.arg(QStringLiteral("sentinel"), QStringLiteral("href=\"%1\"").arg(kSentinel));
}

bool show(HtmlPane *pane, const QString &page) {
    pane->setBodyHtml(page);
    return testsupport::waitUntil([pane] { return pane->isApplied(); }, 15000);
}
} // namespace

class TestHtmlPane : public QObject {
    Q_OBJECT
    std::unique_ptr<HtmlPane> pane;
    QList<QUrl> openedUrls; // what the desktop was asked to open
    qint64 stopped = 0;

private slots:
    void init() {
        messagebox::script({});
        desktop::setUrlOpener([this](const QUrl &url) { openedUrls.append(url); });
        pane = std::make_unique<HtmlPane>();
        pane->resize(500, 300);
        pane->show();
        QVERIFY(QTest::qWaitForWindowExposed(pane.get()));
        pane->navigateBlank();
    }
    void cleanup() {
        if (stopped)
            ::kill(static_cast<pid_t>(stopped), SIGCONT);
        stopped = 0;
        pane.reset();
        messagebox::stopScripting();
        desktop::setUrlOpener({});
        openedUrls.clear();
    }

    void clickedLinks_data() {
        QTest::addColumn<QString>("attributes");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("question"); // empty: nothing is asked
        QTest::addColumn<QString>("opened");   // empty: nothing is opened
        const QString browser = QString::fromUtf8("次のアドレスをブラウザーで開きますか？\r\n");
        const QString mail = QString::fromUtf8("次のアドレスをメールソフトで開きますか？\r\n");
        QTest::newRow("http, yes") << "href=\"http://example.com/a?b=1\"" << Answer::Yes
                                   << browser + "http://example.com/a?b=1"
                                   << "http://example.com/a?b=1";
        QTest::newRow("https, no") << "href=\"https://example.com/\"" << Answer::No
                                   << browser + "https://example.com/" << QString();
        QTest::newRow("mailto, yes")
            << "href=\"mailto:quiz@example.com\"" << Answer::Yes << mail + "mailto:quiz@example.com"
            << "mailto:quiz@example.com";
        QTest::newRow("new window, yes") << "href=\"http://example.com/new\" target=\"_blank\""
                                         << Answer::Yes << browser + "http://example.com/new"
                                         << "http://example.com/new";
        QTest::newRow("local file")
            << "href=\"file:///etc/hostname\"" << Answer::Yes << QString() << QString();
        QTest::newRow("script") << "href=\"javascript:document.title='x'\"" << Answer::Yes
                                << QString() << QString();
    }
    void clickedLinks() {
        QFETCH(QString, attributes);
        QFETCH(Answer, answer);
        QFETCH(QString, question);
        QFETCH(QString, opened);
        QVERIFY(show(pane.get(), linkPage(attributes)));
        messagebox::script(question.isEmpty() ? QList<Answer>() : QList<Answer>{answer});
        QVERIFY(paneprobe::clickElement(pane.get(), QStringLiteral("link")));
        // A link the desktop opens is asked about first; mailto: takes a way of its own through
        // the web engine, so the sentinel is clicked only once the question is there. A link
        // that asks nothing is followed by the sentinel's question alone.
        QList<messagebox::Shown> shown;
        if (!question.isEmpty())
            TRY_VERIFY((shown += messagebox::takeShown(), !shown.isEmpty()));
        // The two links stand a line of 40 px apart, further than a double click may move, so
        // the renderer never takes the two clicks for one (QtTest's clock keeps them apart too).
        QVERIFY(paneprobe::clickElement(pane.get(), QStringLiteral("sentinel")));
        TRY_VERIFY((shown += messagebox::takeShown(),
                    !shown.isEmpty() && shown.last().text.endsWith(kSentinel)));
        QCOMPARE(shown.size(), question.isEmpty() ? 1 : 2);
        QCOMPARE(shown.first().title, QString::fromUtf8("確認"));
        QCOMPARE(shown.first().buttons, messagebox::Buttons::YesNo);
        if (!question.isEmpty())
            QCOMPARE(shown.first().text, question);
        QCOMPARE(openedUrls, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(opened)});
        QCOMPARE(pane->url(), kBlank);
        QVERIFY(paneprobe::visibleText(pane.get()).contains(QStringLiteral("sentinel")));
    }

    void lostRendererIsReplaced_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("showAnother"); // a stopped renderer is noticed by the next page
        QTest::newRow("killed") << int(SIGKILL) << false;
        QTest::newRow("stopped") << int(SIGSTOP) << true;
    }
    void lostRendererIsReplaced() {
        QFETCH(int, signal);
        QFETCH(bool, showAnother);
        HtmlPane bystander;            // shares the lost renderer
        pane->setRubyTextHidden(true); // the new renderer hides the readings too
        const QString page = QStringLiteral("<p>%1<ruby><rt>reading</rt></ruby></p>");
        QVERIFY(show(pane.get(), page.arg(QLatin1String("first"))));
        const qint64 lost = pane->page()->renderProcessPid();
        QVERIFY(lost > 0);
        if (signal == SIGSTOP)
            stopped = lost;
        QCOMPARE(::kill(static_cast<pid_t>(lost), signal), 0);
        if (showAnother)
            pane->setBodyHtml(page.arg(QLatin1String("second")));
        TRY_VERIFY_WITHIN(pane->page()->renderProcessPid() > 0 &&
                              pane->page()->renderProcessPid() != lost && pane->isApplied(),
                          60000);
        QCOMPARE(evaluate(pane.get(), QStringLiteral("document.body.innerText")).toString(),
                 showAnother ? QStringLiteral("second") : QStringLiteral("first"));
        QCOMPARE(pane->url(), kBlank);
        TRY_VERIFY_WITHIN(bystander.isReady() && bystander.page()->renderProcessPid() != lost,
                          15000);
        HtmlPane newcomer; // gets a renderer of its own, not the lost one
        TRY_VERIFY_WITHIN(newcomer.isReady(), 15000);
        QVERIFY(newcomer.page()->renderProcessPid() != lost);
    }

    // Drawn in software, the panes need no OpenGL, which held up the start to be set up;
    // the programs started from here (a browser, a mail program) keep theirs.
    void panesDrawWithoutOpenGl() {
        QVERIFY(show(pane.get(), QStringLiteral("<p>あ</p>")));
        QVERIFY(qgetenv("QT_XCB_GL_INTEGRATION") != "none");
        // Warnings from then on reach whoever took them, here the test framework.
        QTest::ignoreMessage(QtWarningMsg, "a warning after start");
        qWarning("a warning after start");
        if (qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION") ||
            !qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") ||
            !qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
            QSKIP("the renderer was chosen from outside");
        const QOpenGLContext *shared = QOpenGLContext::globalShareContext();
        QVERIFY(!shared || !shared->isValid());
    }
};

int main(int argc, char *argv[]) {
    // Chromium at its process limit puts new pages of a profile into a process it already
    // has: a replacement that could land in the lost renderer's process does so here.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --renderer-process-limit=1");
    testsupport::isolateEnvironment();
    rendering::choose();
    QApplication app(argc, argv);
    TestHtmlPane test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_htmlpane.moc"
