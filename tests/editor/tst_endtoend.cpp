// An author writes a section of three questions in the editor with the tag builder's help,
// saves it, and a learner takes it in the main window and reads the results.
#include "Controls.h"
#include "EditorWindow.h"
#include "HtmlPane.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "OptionsDialog.h"
#include "ResultWindow.h"
#include "TagBuilderDialog.h"
#include "TextBoxes.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QtTest>

using testsupport::control;

using messagebox::Answer;

class TestEndToEnd : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { f.reset(); }

    void writeSaveTakeAndScore() {
        QVERIFY(QFile::copy(QStringLiteral(TESSELLAR_SAMPLE_DIR "/fuji.gif"),
                            f->folder() + QStringLiteral("/fuji.gif")));
        MainWindow *form = f->start();
        control<QAction>(form, "toolsOptionsAction")->trigger();
        EditorWindow *m = form->editor();

        // A new section of three questions.
        const QString section = QString::fromUtf8("地理");
        control<QComboBox>(m, "sectionBox")->setEditText(section);
        messagebox::script({Answer::Yes});
        QTimer::singleShot(0, [] {
            auto *options = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget());
            QVERIFY(options);
            control<QLineEdit>(options, "countBox")->setText(QStringLiteral("3"));
            control<QPushButton>(options, "okButton")->click();
        });
        control<QPushButton>(m, "loadButton")->click();
        QCOMPARE(f->state.questionCount, 3);

        // Question 1: typed in Japanese, wrapped in P, bold and a picture by the builder.
        auto *question = static_cast<QPlainTextEdit *>(control<QPlainTextEdit>(m, "questionBox"));
        question->setFocus();
        commitText(question, QString::fromUtf8("富士山は日本一高い山である。"));
        question->selectAll();
        QTest::mouseRelease(question->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
        control<QAction>(m, "viewTagBuilderAction")->trigger();
        TagBuilderDialog *tags = m->tagBuilder();
        // It comes up active and takes the mirrored selection as the text its tags enclose.
        QVERIFY(testsupport::waitUntil([tags] { return QApplication::activeWindow() == tags; }));
        control<QCheckBox>(tags, "pCheck")->click();
        control<QComboBox>(tags, "styleBox")->setCurrentIndex(0);
        control<QCheckBox>(tags, "fontCheck")->click();
        control<QComboBox>(tags, "pictureNameBox")
            ->setCurrentIndex(
                control<QComboBox>(tags, "pictureNameBox")->findText(QStringLiteral("fuji.gif")));
        control<QCheckBox>(tags, "imageCheck")->click();
        control<QPushButton>(tags, "okButton")->click();
        const QString markup = QString::fromUtf8(
            "<p><b><img src=\"file:///PathName\\fuji.gif\">富士山は日本一高い山である。</b></p>");
        QCOMPARE(textboxes::text(question), markup);
        QTest::mouseClick(control<QListWidget>(m, "answerList")->viewport(), Qt::LeftButton, {},
                          control<QListWidget>(m, "answerList")
                              ->visualItemRect(control<QListWidget>(m, "answerList")->item(4))
                              .center());
        textboxes::setText(control<QPlainTextEdit>(m, "keyPointBox"),
                           QString::fromUtf8("富士山は 3776 m。"));
        control<QPushButton>(m, "addButton")->click();

        // Question 2: choices by List Tag, added with Ctrl+Enter. The author moves into the
        // question box first, which shows the (empty) question 2.
        control<QPlainTextEdit>(m, "questionBox")->setFocus();
        QCoreApplication::processEvents();
        textboxes::setText(control<QPlainTextEdit>(m, "questionBox"),
                           QString::fromUtf8("日本の首都は？"));
        textboxes::setText(control<QPlainTextEdit>(m, "choicesBox"), QString());
        control<QPushButton>(tags, "listTagButton")->click();
        commitText(control<QPlainTextEdit>(m, "choicesBox"), QString::fromUtf8("大阪<LI>東京"));
        textboxes::setText(control<QLineEdit>(m, "answerBox"), QStringLiteral("2"));
        QTest::keyClick(control<QLineEdit>(m, "answerBox"), Qt::Key_Return, Qt::ControlModifier);
        // Question 3: true/false.
        textboxes::setText(control<QPlainTextEdit>(m, "questionBox"),
                           QString::fromUtf8("琵琶湖は北海道にある。"));
        textboxes::setText(control<QLineEdit>(m, "answerBox"), QString::fromUtf8("×"));
        control<QPushButton>(m, "addButton")->click();
        control<QPushButton>(m, "saveButton")->click();
        QVERIFY(messagebox::takeShown().size() == 1); // only the missing-file question
        QCOMPARE(f->state.questions[0].question, markup);
        QCOMPARE(f->state.questions[1].choices, QString::fromUtf8("<OL><LI>大阪<LI>東京\r\n</OL>"));
        control<QPushButton>(m, "closeButton")->click();

        // The learner takes it.
        f->load(section);
        QVERIFY(form->isQuizLoaded());
        QCOMPARE(f->state.questionCount, 3);
        QVERIFY(panesApplied(form));
        const QString body = renderedBody(control<HtmlPane>(form, "questionPane"));
        QVERIFY2(body.contains(QUrl::fromLocalFile(f->folder() + "/fuji.gif").toString()),
                 qPrintable(body));
        QVERIFY(body.contains(QStringLiteral("<b>")));
        const QStringList answers{QString::fromUtf8("○"), QStringLiteral("3"),
                                  QString::fromUtf8("○")};
        for (int i = 0; i < 2; ++i) {
            control<QLineEdit>(form, "answerBox")->setText(answers[i]);
            QTest::keyClick(control<QPushButton>(form, "okButton"), Qt::Key_Down);
        }
        control<QLineEdit>(form, "answerBox")->setText(answers[2]);
        QStringList labels;
        QTimer::singleShot(0, [&] {
            auto *results = qobject_cast<ResultWindow *>(QApplication::activeModalWidget());
            QVERIFY(results);
            labels = summaryTexts(results);
            results->close();
        });
        messagebox::script({Answer::Yes});
        QTest::keyClick(control<QPushButton>(form, "okButton"), Qt::Key_Down);
        QCOMPARE(labels, (QStringList{"総正解数は\r\n1", "4択問題\r\n0", "○×問題\r\n1",
                                      "未回答問題\r\n0", "総得点\r\n0", "問題数\r\n3"}));
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
