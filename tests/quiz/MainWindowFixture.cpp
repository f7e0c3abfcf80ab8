#include "MainWindowFixture.h"
#include "Controls.h"

#include "Clock.h"
#include "Desktop.h"
#include "FileDialog.h"
#include "HtmlPane.h"
#include "Main.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "ResultWindow.h"
#include "Sections.h"
#include "SessionEnd.h"
#include "Settings.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

MainWindowFixture::MainWindowFixture()
    : m_settings(std::make_unique<testsupport::CleanSettings>()) {
    clockreading::setSource([this] { return now; });
    clockreading::setDateTimeSource([this] { return today; });
    messagebox::script({});
    filedialog::script({});
    desktop::setUrlOpener([](const QUrl &) {});
    settings::writeString(QStringLiteral("QPath"), m_folder.path());
}

MainWindowFixture::~MainWindowFixture() {
    messagebox::script({messagebox::Answer::No}); // unsaved editor work is let go
    QApplication::closeAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    clockreading::setSource({});
    clockreading::setDateTimeSource({});
    messagebox::stopScripting();
    filedialog::stopScripting();
    desktop::setUrlOpener({});
    sessionend::forgetRequestForTesting();
}

bool showActive(QWidget *window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

QuizRecord numberedQuestion(int number) {
    QuizRecord r;
    r.number = r.reportNumber = number;
    r.question = QStringLiteral("<P>問題 %1</P>").arg(number);
    r.choices = QStringLiteral("<OL><LI>a<LI>b<LI>c<LI>d</OL>");
    r.answer = number % 2 ? QString::fromUtf8("○") : QStringLiteral("2");
    r.keyPoint = QStringLiteral("point %1").arg(number);
    return r;
}

using testsupport::control;

QString MainWindowFixture::writeQuiz(const QString &section, int count) {
    QList<QuizRecord> quiz;
    for (int i = 1; i <= count; ++i)
        quiz.append(numberedQuestion(i));
    return writeQuiz(section, quiz);
}

QString MainWindowFixture::writeQuiz(const QString &section, const QList<QuizRecord> &quiz) {
    const QString path = sections::quizFilePath(m_folder.path(), section);
    testsupport::writeFile(path, quizfile::encode(static_cast<qint32>(quiz.size()), quiz).bytes);
    return path;
}

MainWindow *MainWindowFixture::start() {
    form = Main(state);
    form->activateWindow();
    // Active before anything else opens: an activation still on its way would take the focus
    // from a window the test opens next.
    if (!QTest::qWaitForWindowActive(form))
        qWarning("main window not active");
    if (!testsupport::waitUntil([this] { return !form->isPlacing(); }, 5000))
        qWarning("main window not placed");
    return form;
}

void MainWindowFixture::load(const QString &section) {
    control<QComboBox>(form, "sectionBox")->setCurrentText(section);
    QTest::mouseClick(control<QPushButton>(form, "loadButton"), Qt::LeftButton);
}

QString MainWindowFixture::answerAll(const QList<int> &keys) {
    control<QLineEdit>(form, "answerBox")->setFocus();
    QString report;
    messagebox::script({messagebox::Answer::Yes});
    for (int i = 0; i < keys.size(); ++i) {
        if (i == keys.size() - 1)
            QTimer::singleShot(0, [&report] {
                auto *results = qobject_cast<ResultWindow *>(QApplication::activeModalWidget());
                if (results)
                    report = results->reportText();
                if (results)
                    results->close();
            });
        QTest::keyClick(form, Qt::Key(Qt::Key_0 + keys[i]));
        QTest::keyClick(form, Qt::Key_Return);
    }
    messagebox::takeShown();
    return report;
}

bool panesApplied(MainWindow *form) {
    return testsupport::waitUntil(
        [form] {
            return control<HtmlPane>(form, "choicesPane")->isApplied() &&
                   control<HtmlPane>(form, "questionPane")->isApplied();
        },
        15000);
}

QString renderedBody(HtmlPane *pane) {
    QString body;
    bool done = false;
    pane->readBodyHtml([&](const QString &html) {
        body = html;
        done = true;
    });
    if (!testsupport::waitUntil([&] { return done; }, 15000))
        qWarning("the renderer did not answer");
    return body;
}

void commitText(QWidget *widget, const QString &text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(widget, &event);
}

void closeNextModalWindow() {
    QTimer::singleShot(0, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
}

QStringList summaryTexts(const ResultWindow *results) {
    QStringList texts;
    for (const char *name : {"totalCorrectLabel", "fourChoiceCorrectLabel", "trueFalseCorrectLabel",
                             "unansweredLabel", "scoreLabel", "questionCountLabel"})
        texts.append(control<QLabel>(results, name)->text());
    return texts;
}
