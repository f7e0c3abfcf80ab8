// Speed of the main window, offscreen:
//   question step: record the answer, show the next question and wait until both panes have
//   their page in the renderer, over 200 steps of a 1,000-question quiz (median and p95);
//   start-up: process start to the window shown with both panes blank, against a minimal
//   Qt WebEngine window, median of 5 runs each.
#include "HtmlPane.h"
#include "Main.h"
#include "MainWindow.h"
#include "QuizFile.h"
#include "QuizState.h"
#include "Sections.h"
#include "Settings.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kQuestions = 1000;
constexpr int kSteps = 200;
constexpr int kStartRuns = 5;

bool waitFor(const std::function<bool()> &ready, int ms = 30000) {
    const QDeadlineTimer deadline(ms);
    while (!ready()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * (values.size() - 1) + 0.5)];
}

QString writeQuiz(const QString &folder) {
    QList<QuizRecord> quiz(kQuestions);
    const QString text = QString::fromUtf8("<P>日本で一番長い川は<B>信濃川</B>である。</P>"
                                           "<TABLE border=1><TR><TD>信濃川</TD><TD>367 km</TD></TR>"
                                           "<TR><TD>利根川</TD><TD>322 km</TD></TR></TABLE>");
    for (int i = 0; i < kQuestions; ++i) {
        quiz[i].Number = quiz[i].ReportNumber = i + 1;
        quiz[i].Question = QStringLiteral("<P>問 %1</P>").arg(i + 1) + text;
        quiz[i].Choices = QString::fromUtf8("<OL><LI>信濃川<LI>利根川<LI>石狩川<LI>北上川</OL>");
        quiz[i].Answer = QStringLiteral("1");
    }
    const QString path = sections::quizFilePath(folder, QStringLiteral("bench"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(quizfile::encode(kQuestions, quiz).bytes);
    return path;
}

int questionSteps() {
    QTemporaryDir folder;
    writeQuiz(folder.path());
    // A settings store of its own: the benchmark never touches the user's settings.
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folder.path());
    settings::writeString(QStringLiteral("QPath"), folder.path());
    QuizState state;
    Main(state);
    MainWindow *form = state.mainWindow;
    const auto applied = [form] {
        return form->choicesPane->isApplied() && form->questionPane->isApplied();
    };
    form->sectionBox->setCurrentText(QStringLiteral("bench"));
    form->loadSection();
    if (!waitFor(applied))
        return 1;
    std::vector<double> steps;
    for (int i = 0; i < kSteps; ++i) {
        QElapsedTimer timer;
        timer.start();
        form->answerBox->setText(QStringLiteral("1"));
        form->questionScrollBar->setValue(form->questionScrollBar->value() + 1);
        if (!waitFor(applied))
            return 1;
        steps.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf(
        "question step (%d steps, %d questions): median %.2f ms, p95 %.2f ms, max %.2f ms\n",
        kSteps, kQuestions, percentile(steps, 0.5), percentile(steps, 0.95),
        percentile(steps, 1.0));
    return 0;
}

// Child mode: show the window and say "ready" once it is up with both panes blank.
int startChild(const QString &mode) {
    if (mode == QLatin1String("minimal")) {
        QWebEngineView view;
        bool loaded = false;
        QObject::connect(&view, &QWebEngineView::loadFinished, [&] { loaded = true; });
        view.setHtml(QStringLiteral("<html><body></body></html>"),
                     QUrl(QStringLiteral("file:///")));
        view.show();
        if (!waitFor([&] { return loaded && view.isVisible(); }))
            return 1;
    } else {
        QuizState state;
        Main(state);
        MainWindow *form = state.mainWindow;
        if (!waitFor([form] {
                return form->isVisible() && form->choicesPane->isReady() &&
                       form->questionPane->isReady();
            }))
            return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return 0;
}

double medianStart(const QString &mode) {
    std::vector<double> runs;
    for (int i = 0; i < kStartRuns; ++i) {
        QProcess child;
        child.setStandardErrorFile(QProcess::nullDevice()); // the renderer's start-up chatter
        QElapsedTimer timer;
        timer.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--start"), mode});
        waitFor([&] { return child.canReadLine() || child.state() == QProcess::NotRunning; },
                60000);
        runs.push_back(timer.nsecsElapsed() / 1e6);
        child.waitForFinished(30000);
    }
    return percentile(runs, 0.5);
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--start"))
        return startChild(args[2]);
    if (questionSteps() != 0)
        return 1;
    const double tessellar = medianStart(QStringLiteral("tessellar"));
    const double minimal = medianStart(QStringLiteral("minimal"));
    std::printf("start-up (median of %d): Tessellar %.0f ms, minimal WebEngine window %.0f ms, "
                "ratio %.2f\n",
                kStartRuns, tessellar, minimal, tessellar / minimal);
    return 0;
}
