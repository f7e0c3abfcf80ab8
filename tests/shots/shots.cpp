// Starts Tessellar on the sample quizzes, takes a short quiz run as a user would and saves
// screenshots of the main window along the way: tessellar-shots OUTPUT_FOLDER
// Run it under a display (scripts/screenshots.sh uses Xvfb).
#include "Controls.h"
#include "Design.h"
#include "EditorWindow.h"
#include "FileDialog.h"
#include "History.h"
#include "HtmlPane.h"
#include "Main.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "OptionsDialog.h"
#include "Printer.h"
#include "QuestionPreview.h"
#include "QuizState.h"
#include "Rendering.h"
#include "ResultWindow.h"
#include "TagBuilderDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>

#include <cstdio>

using testsupport::control;

namespace {
void settle(int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

bool panesReady(MainWindow *form) {
    const QDeadlineTimer deadline(20000);
    while (!(control<HtmlPane>(form, "choicesPane")->isApplied() &&
             control<HtmlPane>(form, "questionPane")->isApplied())) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    settle(700); // let the renderer paint
    return true;
}

bool shot(QWidget *form, const QString &folder, const char *name) {
    const QRect frame = form->frameGeometry();
    const QPixmap picture =
        form->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    // A window that does not open whole on its screen (large scale factors, small screens).
    const bool whole = form->screen()->availableGeometry().contains(frame);
    std::printf("%s%s\n", qPrintable(path), whole ? "" : " (not whole on the screen)");
    return picture.save(path);
}

// Saves the next modal window (a message box) as it shows, then closes it with Esc.
void grabModal(const QString &folder, const char *name, bool &ok) {
    QTimer::singleShot(300, [folder, name, &ok] {
        QWidget *modal = QApplication::activeModalWidget();
        settle(400);
        ok &= modal && shot(modal, folder, name);
        if (modal)
            QTest::keyClick(modal, Qt::Key_Escape);
    });
}

void showQuestion(MainWindow *form, int number) {
    control<QScrollBar>(form, "questionScrollBar")->setValue(number);
    panesReady(form);
}
} // namespace

int main(int argc, char *argv[]) {
    rendering::choose();
    QApplication app(argc, argv);
    translateQtTexts(); // message boxes as users see them
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QuizState state;
    MainWindow *form = Main(state);
    panesReady(form);
    bool ok = shot(form, folder, "01-start.png");

    control<QComboBox>(form, "sectionBox")->setCurrentText(QString::fromUtf8("日本の地理"));
    control<QPushButton>(form, "loadButton")->click();
    ok &= panesReady(form) && shot(form, folder, "02-question-with-picture.png");

    control<QLineEdit>(form, "answerBox")
        ->setText(QString::fromUtf8("○")); // question 1, answered by typing
    showQuestion(form, 2);
    control<QLineEdit>(form, "answerBox")->setText(QStringLiteral("2")); // question 2
    showQuestion(form, 3);
    ok &= shot(form, folder, "03-table.png");
    showQuestion(form, 4);
    ok &= shot(form, folder, "04-ruby.png");
    showQuestion(form, 5);
    ok &= shot(form, folder, "05-picture-in-markup.png");

    // Several misses, then past the last question: the results window.
    control<QLineEdit>(form, "answerBox")->setText(QStringLiteral("3"));
    showQuestion(form, 7);
    control<QLineEdit>(form, "answerBox")->setText(QString::fromUtf8("○"));
    showQuestion(form, 10);
    messagebox::script({messagebox::Answer::Yes});
    QTimer::singleShot(0, [&] {
        QWidget *results = QApplication::activeModalWidget();
        settle(500);
        ok &= results && shot(results, folder, "06-results.png");
        results->resize(results->width() * 2 / 3, results->height());
        settle(500);
        ok &= shot(results, folder, "07-results-narrow.png");
        // The report on paper: no printer here, so the PDF offered instead.
        printing::setNoPrinterForTesting(true);
        messagebox::script({messagebox::Answer::Yes});
        filedialog::script({folder + QStringLiteral("/08-report.pdf")});
        qobject_cast<ResultWindow *>(results)->printReportOrPdf();
        control<QPushButton>(results, "retryButton")->click();
    });
    control<QScrollBar>(form, "questionScrollBar")->setValue(11);
    messagebox::stopScripting();
    ok &= panesReady(form) && shot(form, folder, "08-retry-run.png");

    // The options dialog, both pages, and the About box.
    QTimer::singleShot(0, [&] {
        auto *options = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget());
        settle(300);
        ok &= options && shot(options, folder, "09-options-count.png");
        control<QTabBar>(options, "tabBar")->setCurrentIndex(1);
        settle(300);
        ok &= shot(options, folder, "10-options-folder.png");
        options->reject();
    });
    control<QAction>(form, "viewOptionsAction")->trigger();
    QTimer::singleShot(0, [&] {
        QWidget *about = QApplication::activeModalWidget();
        settle(300);
        ok &= about && shot(about, folder, "11-about.png");
        about->close();
    });
    control<QAction>(form, "helpAboutAction")->trigger();

    // The editor on the sample's question 1, and the tag builder with a composition.
    control<QAction>(form, "toolsOptionsAction")->trigger();
    EditorWindow *editor = form->editor();
    control<QComboBox>(editor, "sectionBox")->setEditText(QString::fromUtf8("日本の地理"));
    control<QPushButton>(editor, "loadButton")->click();
    settle(300);
    ok &= shot(editor, folder, "12-editor.png");
    settle(1500); // the preview's renderer starts
    ok &= editor->preview() && shot(editor->preview(), folder, "12-editor-preview.png");
    // A table that cannot be read: the message names the line and column.
    const QString table = folder + QStringLiteral("/broken.csv");
    QFile broken(table);
    if (broken.open(QIODevice::WriteOnly))
        broken.write("1,1,\"Q\r\n");
    broken.close();
    filedialog::script({table});
    grabModal(folder, "12-editor-import-error.png", ok);
    control<QAction>(editor, "fileImportTableAction")->trigger();
    filedialog::stopScripting();
    control<QAction>(editor, "viewTagBuilderAction")->trigger();
    TagBuilderDialog *tags = editor->tagBuilder();
    tags->move(editor->frameGeometry().right() + 10, editor->y());
    design::keepOnScreen(tags); // beside the editor as far as the screen allows
    tags->innerText = QString::fromUtf8("日本一高い山");
    control<QCheckBox>(tags, "alignCheck")->click();
    control<QComboBox>(tags, "styleBox")->setCurrentIndex(0);
    control<QCheckBox>(tags, "fontCheck")->click();
    control<QComboBox>(tags, "pictureNameBox")->setCurrentIndex(0);
    control<QCheckBox>(tags, "imageCheck")->click();
    settle(300);
    ok &= shot(tags, folder, "13-tag-builder.png");
    editor->close();
    showQuestion(form, 1);
    ok &= shot(form, folder, "14-main-question-1.png");
    // A run left half-way offers to go on where it stopped.
    control<QPushButton>(form, "loadButton")->click();
    control<QLineEdit>(form, "answerBox")->setText(QString::fromUtf8("○"));
    showQuestion(form, 2);
    settle(1500); // the journal is written
    grabModal(folder, "15-resume-prompt.png", ok);
    control<QPushButton>(form, "loadButton")->click();

    // Larger text: three notches of Ctrl+wheel put both panes at 150 %.
    QWheelEvent notches(QPointF(5, 5), QPointF(), QPoint(), QPoint(0, 3 * 120), Qt::NoButton,
                        Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(control<HtmlPane>(form, "questionPane"), &notches);
    settle(700);
    ok &= shot(form, folder, "16-main-larger-text.png");

    // 成績の推移 with the run above and a few earlier ones made up from it.
    history::Entry earlier = history::read().entries.value(0);
    const qint32 maxScore = earlier.maxScore;
    for (const int tenths : {8, 5, 7, 4, 3}) {
        earlier.when = earlier.when.addDays(-3);
        earlier.score = maxScore * tenths / 10;
        earlier.kind = tenths == 5 ? history::RunKind::Retry : history::RunKind::Full;
        history::append(earlier);
    }
    QTimer::singleShot(0, [&] {
        QWidget *progress = QApplication::activeModalWidget();
        settle(500);
        ok &= progress && shot(progress, folder, "17-progress.png");
        progress->close();
    });
    form->findChild<QAction *>(QStringLiteral("toolsProgressAction"))->trigger();
    form->close();
    return ok ? 0 : 1;
}
