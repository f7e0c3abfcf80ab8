#include "Controls.h"
#include "Cp932.h"
#include "Design.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "Printer.h"
#include "Report.h"
#include "ReportArea.h"
#include "ResultWindow.h"
#include "Settings.h"
#include "Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

using testsupport::control;

using messagebox::Answer;

namespace {
int px(int twipsValue) {
    return twips::toPixels(twipsValue);
}

// A run of count true/false questions, every one answered wrongly.
void wrongRun(QuizState &state, int count, const QString &keyPoint = QStringLiteral("kp")) {
    state.resizeQuestions(count);
    for (int i = 0; i < count; ++i) {
        state.questions[i] = numberedQuestion(i + 1);
        state.questions[i].answer = QString::fromUtf8("○");
        state.questions[i].keyPoint = keyPoint;
        state.answerMarks[i] = 2;
        state.answerTexts[i] = QString::fromUtf8("×");
    }
}

QString pdfText(const QString &pdf, int page = 0) {
    QProcess pdftotext;
    QStringList args{QStringLiteral("-layout")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    pdftotext.start(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// The characters as lines of 36, as many as the report area holds at its design width.
QString linesOf(const QString &characters) {
    QString text;
    for (qsizetype i = 0; i < characters.size(); i += 36)
        text += characters.mid(i, 36) + QStringLiteral("\r\n");
    return text;
}

QString range(char16_t first, char16_t last) {
    QString characters;
    for (char16_t c = first; c <= last; ++c)
        characters += QChar(c);
    return characters;
}

// Every two-byte character of CP932, and the JIS forms that are saved as their twins.
QString doubleByteCharacters() {
    Cp932Codec codec;
    QString characters = QString::fromUtf8("〜−¢£¬‖—");
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC && cp932::isLeadByte(uchar(lead)); ++trail) {
            const char bytes[] = {char(lead), char(trail)};
            const QString c = codec.decode(QByteArrayView(bytes, 2));
            if (c.size() == 1 && c != QChar(0xFFFD))
                characters += c;
        }
    }
    return characters;
}

int pdfPages(const QString &pdf) {
    return static_cast<int>(pdfText(pdf).count(QLatin1Char('\f')));
}
} // namespace

// Clicks the Cancel button of the named progress dialog as soon as it shows.
class CancelWhenShown : public QObject {
public:
    explicit CancelWhenShown(const QString &dialog) : m_dialog(dialog) {
        qApp->installEventFilter(this);
    }
    bool clicked = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show && watched->objectName() == m_dialog) {
            auto *cancel = watched->findChild<QPushButton *>();
            QMetaObject::invokeMethod(
                cancel,
                [this, cancel] {
                    QTest::mouseClick(cancel, Qt::LeftButton);
                    clicked = true;
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QString m_dialog;
};

class TestResultWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;

private slots:
    void init() {
        f = std::make_unique<MainWindowFixture>();
        printing::setNoPrinterForTesting(true);
    }
    void cleanup() {
        printing::setNoPrinterForTesting(false);
        f.reset();
    }

    void fromARealRun() {
        f->writeQuiz(QStringLiteral("four"), 4); // ○, 2, ○, 2
        MainWindow *form = f->start();
        f->load(QStringLiteral("four"));
        const QStringList answers{QString::fromUtf8("○"), QStringLiteral("3"),
                                  QString::fromUtf8("×"), ""};
        for (int i = 0; i < 4; ++i) {
            control<QLineEdit>(form, "answerBox")->setText(answers[i]);
            if (i < 3)
                QTest::keyClick(control<QPushButton>(form, "okButton"), Qt::Key_Down);
        }
        QStringList labels;
        QString reportText;
        bool stateUnchanged = false;
        const QuizState before = f->state;
        QTimer::singleShot(0, [&] {
            auto *results = qobject_cast<ResultWindow *>(QApplication::activeModalWidget());
            QVERIFY(results);
            QCOMPARE(results->windowTitle(), QString::fromUtf8("結果"));
            labels = summaryTexts(results);
            reportText = results->reportText();
            stateUnchanged = f->state.answerMarks.mid(0, 3) == before.answerMarks.mid(0, 3) &&
                             f->state.answerMarks[3] == 0;
            results->close();
        });
        messagebox::script({Answer::Yes});
        QTest::keyClick(control<QPushButton>(form, "okButton"),
                        Qt::Key_Down); // past the last question
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(),
                 QStringLiteral("4")); // the Down from 4 ended the quiz
        QVERIFY(!labels.isEmpty());
        QCOMPARE(labels, (QStringList{"総正解数は\r\n1", "4択問題\r\n0", "○×問題\r\n1",
                                      "未回答問題\r\n1", "総得点\r\n0", "問題数\r\n4"}));
        QCOMPARE(reportText, QString::fromUtf8("問題名:  four\r\n"
                                               "問題: 2    正解: 2    回答: 3\r\npoint 2\r\n"
                                               "問題: 3    正解: ○    回答: ×\r\npoint 3\r\n"
                                               "問題: 4    正解: 2    回答: \r\npoint 4\r\n"));
        QVERIFY(stateUnchanged);
        QVERIFY(!control<QTimer>(form, "clockTimer")->isActive());
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QStringLiteral("4"));
    }

    // The report's lines measured from cached advances are exactly as wide as shaped, so the
    // wrap is the same, also for lines exactly at the limit and one twip over it.
    void fastMeasureMatchesShaping_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("ASCII") << linesOf(range(0x20, 0x7E)) + "end with spaces  \r\n";
        QTest::newRow("half-width katakana")
            << linesOf(range(0xFF61, 0xFF9F)) + QString::fromUtf8("ｶﾞｷﾞﾊﾟﾎﾟ ｳﾞｧｲｵﾘﾝ\r\n");
        QTest::newRow("full-width") << linesOf(doubleByteCharacters());
        QTest::newRow("tabs") << QString::fromUtf8("\tat a stop\r\n"
                                                   "aaaaaaaaaa\tb\r\n"
                                                   "aaaaaaaaaaa\tb\r\n"
                                                   "ああああああああああああああああ\tstop\r\n"
                                                   "a\t\tb\r\n"
                                                   "ab\ncd\tx\r\n"
                                                   "aaaaaaaaaaa\r\tb\r\n"
                                                   "ｶﾀｶﾅ\t全角\tｶﾅ\r\n");
        QTest::newRow("shaped: pairs, marks, controls, other fonts") << QString::fromUtf8(
            "𠮷野家の𠮷\r\nか\u3099き\u309A\r\n˥˩ tone\r\nab\u009Ccd\r\n\u0001\u007F\r\n"
            "\uE000\uE757 ∑ ² é\r\n👍\u200D👍\r\nعربي\r\n\u00AD\uFEFF\u2028x\r\n");
        QTest::newRow("realistic report") << QString::fromUtf8(
            "問題名:  日本の地理\r\n問題: 1    正解: ○    回答: ×\r\n信濃川は長野県では千曲川と呼ば"
            "れ，新潟県で日本海に注ぐ日本一長い川です。\r\n問題: 12    正解: 3    回答: \r\nｶﾀｶﾅ"
            "(half-width) と全角カタカナ，No.12-3 を参照。\r\n2行目の補足です。\r\n"
            "問題: 123    正解: ×    回答: ○\r\n\r\n");
    }
    void fastMeasureMatchesShaping() {
        QFETCH(QString, text);
        ReportArea area;
        area.setReportText(text);
        const QFontMetricsF metrics(area.font());
        const auto shaped = [&](const QString &line) {
            qreal widest = 0;
            for (const QString &physical : QString(line).remove('\r').split('\n'))
                widest = std::max(widest, metrics.horizontalAdvance(physical));
            return static_cast<int>(std::nearbyint(widest * 1440.0 / area.logicalDpiX()));
        };
        QSet<int> limits{8685 - 560}; // the area at its design width
        for (const QString &line : report::lines(text)) {
            QCOMPARE(area.measure(line), shaped(line));
            limits << shaped(line) << shaped(line) - 1;
        }
        for (int maxWidth : limits)
            QCOMPARE(area.wrap(maxWidth), report::wrapReport(text, maxWidth, area.em(), shaped));
    }

    void layoutAndScrolling() {
        wrongRun(f->state, 30);
        ResultWindow results(f->state, QString());
        results.show();
        QVERIFY(QTest::qWaitForWindowExposed(&results));
        design::resizeOuter(&results, 9300, 6000);
        TRY_COMPARE(control<ReportArea>(&results, "reportArea")->geometry(),
                    QRect(px(135), px(1230), px(9300 - 635), px(6000 - 1400 - 285)));
        QCOMPARE(control<QScrollBar>(&results, "reportScrollBar")->geometry(),
                 QRect(px(135) + px(8665) + px(10), px(1230),
                       control<QScrollBar>(&results, "reportScrollBar")->width(), px(4315)));
        QCOMPARE(control<QScrollBar>(&results, "reportScrollBar")->singleStep(), 225);
        QCOMPARE(control<QScrollBar>(&results, "reportScrollBar")->pageStep(), 720);
        const int overflow =
            control<ReportArea>(&results, "reportArea")->textHeight() -
            twips::fromPixels(control<ReportArea>(&results, "reportArea")->height());
        QVERIFY(overflow > 0);
        QCOMPARE(control<QScrollBar>(&results, "reportScrollBar")->maximum(), overflow);
        control<QScrollBar>(&results, "reportScrollBar")->setValue(900);
        QCOMPARE(control<ReportArea>(&results, "reportArea")->origin(), 900);
        // 31 lines of text a question group: the wrapped report has a blank line before each.
        QCOMPARE(control<ReportArea>(&results, "reportArea")
                     ->wrappedReport()
                     .count(QStringLiteral("\r\n")),
                 1 + 30 * 3);
    }

    void shortReportDoesNotScroll() {
        wrongRun(f->state, 1);
        ResultWindow results(f->state, QString());
        results.show();
        QVERIFY(QTest::qWaitForWindowExposed(&results));
        QCOMPARE(control<QScrollBar>(&results, "reportScrollBar")->maximum(), 0);
        control<QScrollBar>(&results, "reportScrollBar")->setValue(500);
        QCOMPARE(control<ReportArea>(&results, "reportArea")->origin(), 0);
    }

    void narrowWindowWrapsEveryCharacter() {
        wrongRun(f->state, 2, QString::fromUtf8("ながいポイントの説明です"));
        ResultWindow results(f->state, QString());
        results.show();
        QVERIFY(QTest::qWaitForWindowExposed(&results));
        results.setMinimumSize(1, 1);
        design::resizeOuter(&results, 700, 3000); // the area is 65 twips wide: below one em
        QVERIFY(control<ReportArea>(&results, "reportArea")
                    ->wrappedReport()
                    .contains(QString::fromUtf8("な\r\nが\r\nい")));
        control<QScrollBar>(&results, "reportScrollBar")
            ->setValue(control<QScrollBar>(&results, "reportScrollBar")->maximum());
        QVERIFY(results.isVisible());
    }

    // Every line of a long report can be reached, with the scroll bar, the wheel and the keys.
    void longReportScrollsToTheEnd() {
        wrongRun(f->state, 200);
        ResultWindow results(f->state, QString());
        QVERIFY(messagebox::takeShown().isEmpty());
        results.show();
        QVERIFY(QTest::qWaitForWindowExposed(&results));
        QScrollBar *bar = control<QScrollBar>(&results, "reportScrollBar");
        const int overflow =
            control<ReportArea>(&results, "reportArea")->textHeight() -
            twips::fromPixels(control<ReportArea>(&results, "reportArea")->height());
        QVERIFY(overflow > 32767);
        QCOMPARE(bar->maximum(), overflow);
        QWheelEvent wheel(QPointF(10, 10),
                          control<ReportArea>(&results, "reportArea")->mapToGlobal(QPointF(10, 10)),
                          {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(control<ReportArea>(&results, "reportArea"), &wheel);
        QVERIFY(bar->value() > 0);
        const int afterWheel = bar->value();
        QTest::keyClick(&results, Qt::Key_PageDown);
        QCOMPARE(bar->value(), afterWheel + bar->pageStep());
        QTest::keyClick(&results, Qt::Key_End);
        QCOMPARE(control<ReportArea>(&results, "reportArea")->origin(), overflow);
        QTest::keyClick(&results, Qt::Key_PageUp);
        QCOMPARE(bar->value(), overflow - bar->pageStep());
        QTest::keyClick(&results, Qt::Key_Home);
        QCOMPARE(bar->value(), 0);
    }

    void printsToPdfWhenThereIsNoPrinter() {
        wrongRun(f->state, 120, QString::fromUtf8("ポイント") + QString(60, QChar(0x3042)));
        messagebox::script({Answer::Ok});
        ResultWindow results(f->state, QString());
        messagebox::takeShown(); // the report is too tall to scroll through on screen
        QTemporaryDir dir;
        dir.setAutoRemove(qEnvironmentVariableIsEmpty("KEEP_PDF"));
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        messagebox::script({Answer::Yes});
        filedialog::script({pdf});
        QTest::mouseClick(control<QPushButton>(&results, "printButton"), Qt::LeftButton);
        const QList<messagebox::Shown> shown = messagebox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QString::fromUtf8("プリンタが見つかりません")));
        QCOMPARE(shown[0].buttons, messagebox::Buttons::YesNo);
        QVERIFY(QFile::exists(pdf));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QString::fromUtf8("問題名:")), qPrintable(text.left(200)));
        QVERIFY(text.contains(QString::fromUtf8("問題: 120")));
        QVERIFY(!text.contains(QString::fromUtf8("総得点"))); // no labels on paper
        static const QRegularExpression heading(
            QString::fromUtf8("^結果\\s+\\d{4}/\\d\\d/\\d\\d \\d+:\\d\\d\\s+得点 -120 / 120\n"));
        QVERIFY2(heading.match(text).hasMatch(), qPrintable(text.left(100)));
        // Nothing is lost between pages: every entry once, the last on the last page.
        const int pages = pdfPages(pdf);
        QVERIFY(pages > 1);
        for (int k = 1; k <= 120; ++k)
            QCOMPARE(text.count(QString::fromUtf8("問題: %1 正解").arg(k)), 1);
        QVERIFY(pdfText(pdf, pages).contains(QString::fromUtf8("問題: 120")));
        // The 64-character key point is cut at (page width - 324) / 225 characters.
        const QString firstPage = pdfText(pdf, 1);
        QVERIFY(firstPage.contains(QString::fromUtf8("ポイント") + QString(40, QChar(0x3042))));
        QVERIFY(!firstPage.contains(QString::fromUtf8("ポイント") + QString(60, QChar(0x3042))));
    }

    // The save dialog starts in the folder of the last PDF saved; a remembered folder that is
    // gone, or is no folder, is passed over.
    void pdfStartsInTheLastFolder() {
        wrongRun(f->state, 3);
        ResultWindow results(f->state, QString());
        QTemporaryDir dir;
        settings::writeString(QStringLiteral("PdfFolder"), dir.filePath(QStringLiteral("gone")));
        filedialog::script({dir.filePath(QStringLiteral("a.pdf")), QString()});
        results.saveReportAsPdf();
        results.saveReportAsPdf();
        const QStringList asked = filedialog::takeAskedFolders();
        QCOMPARE(asked.size(), 2);
        QVERIFY2(!asked[0].startsWith(dir.path()), qPrintable(asked[0]));
        QCOMPARE(QFileInfo(asked[1]).absolutePath(), dir.path());
    }

    // A long save shows its progress; cancelled, it leaves the file that was there and no
    // partial one beside it. The progress shows at the first page, and Cancel is clicked as
    // soon as it shows, so the save is cancelled midway on a fast machine and a slow one.
    void cancelledPdfLeavesTheOldFile() {
        wrongRun(f->state, 300);
        ResultWindow results(f->state, QString());
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        testsupport::writeFile(pdf, "old");
        messagebox::script({Answer::Yes});
        filedialog::script({pdf});
        printing::setProgressDelayForTesting(0);
        CancelWhenShown canceller(QStringLiteral("printProgress"));
        results.printReportOrPdf();
        printing::setProgressDelayForTesting(500);
        QVERIFY(canceller.clicked);
        QCOMPARE(messagebox::takeShown().size(), 1); // the offer of a PDF, no failure
        QCOMPARE(testsupport::readFile(pdf), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"report.pdf"});
    }

    void declinedPdfWritesNothing() {
        wrongRun(f->state, 3);
        ResultWindow results(f->state, QString());
        messagebox::script({Answer::No});
        filedialog::script({QStringLiteral("/tmp/should-not-exist.pdf")});
        results.printReportOrPdf();
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/should-not-exist.pdf")));
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestResultWindow)
#include "tst_resultwindow.moc"
