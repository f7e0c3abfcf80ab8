// What the learner waits for on ﾂｰﾙ > 成績の推移 with a long history: 20,000 runs over three
// sections and an answer record of 1,000 runs of 100 questions of the first, the window opening
// on that section, then the box set to another.
//  - the menu choice to the window's frame on screen (its first expose arrived);
//  - the menu choice to the chart, the run table and the table of questions missed most often
//    painted (all painted, and the window's expose or update that painted them handled, which
//    sends the frame to the X server);
//  - another section chosen in the box to its chart and table painted;
//  - reading the history alone.
// The menu choice is measured from the call the menu makes, progress::showWindow, over a window
// that stands for the main window.
// Run it on a display with a window manager: bash scripts/on-display.sh build/bench/bench_progress
#include "BenchAnswers.h"
#include "History.h"
#include "ProgressWindow.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <vector>

using history::Entry;
using history::RunKind;

namespace {
// CPU time of this thread: the machine is shared, so the wall time alone says little.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Notes, in milliseconds since start(), when the progress window's frame came on screen and
// when its chart and run table were painted and sent to the X server.
class ProbeApplication : public QApplication {
public:
    using QApplication::QApplication;
    double framed = -1;
    double painted = -1;
    double paintedCpu = -1;

    void start() {
        framed = painted = paintedCpu = -1;
        chartPainted = tablePainted = missedPainted = false;
        cpuStart = cpuMs();
        clock.start();
    }

    bool notify(QObject *receiver, QEvent *event) override {
        const QEvent::Type type = event->type();
        const bool frame = type == QEvent::Expose || type == QEvent::UpdateRequest;
        QWidget *window = frame || type == QEvent::Paint ? progressWindow() : nullptr;
        // Widgets repaint on an update request to the window's widget, and on its exposure.
        const bool ofWindow = window && (receiver == window || receiver == window->windowHandle());
        if (ofWindow && type == QEvent::Expose && framed < 0 && window->windowHandle() &&
            window->windowHandle()->isExposed())
            framed = elapsed();
        const bool handled = QApplication::notify(receiver, event);
        if (window && type == QEvent::Paint) {
            chartPainted = chartPainted || receiver == window->findChild<QWidget *>("chart");
            const auto *table = window->findChild<QAbstractScrollArea *>("runTable");
            const auto *missed = window->findChild<QAbstractScrollArea *>("missedTable");
            tablePainted = tablePainted || (table && receiver == table->viewport());
            missedPainted = missedPainted || (missed && receiver == missed->viewport());
        }
        if (ofWindow && frame && chartPainted && tablePainted && missedPainted && painted < 0) {
            painted = elapsed();
            paintedCpu = cpuMs() - cpuStart;
        }
        return handled;
    }

private:
    QElapsedTimer clock;
    double cpuStart = 0;
    bool chartPainted = false;
    bool tablePainted = false;
    bool missedPainted = false;

    double elapsed() const { return clock.nsecsElapsed() / 1e6; }
    static QWidget *progressWindow() {
        QWidget *modal = QApplication::activeModalWidget();
        return qobject_cast<ProgressWindow *>(modal) ? modal : nullptr;
    }
};

// The runs of the history: oldest first, some three quarters of an hour apart, most of them in
// the first section; one in four a retry, a few with nothing to score.
QList<Entry> runs(int count, const QStringList &sections) {
    std::mt19937 random(20240601);
    QDateTime when(QDate(2023, 1, 1), QTime(8, 0));
    QList<Entry> entries;
    for (int i = 0; i < count; ++i) {
        Entry e;
        when = when.addSecs(1800 + static_cast<int>(random() % 1800));
        e.when = when;
        e.section = sections[i % 10 < 7 ? 0 : i % 10 < 9 ? 1 : 2];
        e.kind = i % 4 == 3 ? RunKind::Retry : RunKind::Full;
        e.questions = e.kind == RunKind::Retry ? 8 : 40;
        e.correct = static_cast<int>(random() % (e.questions + 1));
        e.fourChoiceCorrect = e.correct / 2;
        e.trueFalseCorrect = e.correct - e.fourChoiceCorrect;
        e.unanswered = static_cast<int>(random() % (e.questions - e.correct + 1));
        e.maxScore = i % 97 == 0 ? 0 : 2 * e.questions;
        e.score = e.maxScore == 0 ? 0 : 2 * e.correct - (e.questions - e.correct) / 2;
        e.elapsedSeconds = static_cast<int>(60 + random() % 3600);
        entries.append(e);
    }
    return entries;
}

void writeHistory(const QList<Entry> &runs) {
    for (const Entry &e : runs) {
        if (const QString failed = history::append(e); !failed.isEmpty()) {
            std::printf("%s\n", qPrintable(failed));
            std::exit(1);
        }
    }
}

QString quizFolder(const QString &dataHome) {
    return dataHome + QStringLiteral("/quizzes");
}

// Points the program's data folder ($XDG_DATA_HOME/Tessellar) at dataHome and writes there
// every record the window reads: the history of the runs and an answer record of answeredRuns
// runs of the first run's section, whose quiz file is in quizFolder(dataHome).
void prepareDataFolder(const QString &dataHome, const QList<Entry> &runs, int answeredRuns) {
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
    writeHistory(runs);
    benchanswers::write(answerlog::filePath(), quizFolder(dataHome), runs.first().section,
                        answeredRuns);
}

struct Opening {
    double framed, painted, paintedCpu, switched;
};

// From the menu's call to the window painted; then the box set to switchTo, to that painted.
Opening openAndSwitch(ProbeApplication &app, QWidget &mainWindow, const QString &section,
                      const QString &switchTo) {
    Opening figures{};
    const auto waitForPainting = [&] {
        while (app.painted < 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    };
    QTimer::singleShot(0, [&] { // in the window's own event loop
        waitForPainting();
        figures = {app.framed, app.painted, app.paintedCpu, 0};
        auto *box = QApplication::activeModalWidget()->findChild<QComboBox *>("sectionBox");
        app.start();
        box->setCurrentText(switchTo);
        waitForPainting();
        figures.switched = app.painted;
        QApplication::activeModalWidget()->close();
    });
    app.start();
    progress::showWindow(&mainWindow, section, quizFolder(qEnvironmentVariable("XDG_DATA_HOME")),
                         true);
    return figures;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void print(const char *what, const std::vector<double> &ms) {
    std::printf("median %8.2f ms, worst %8.2f ms  %s\n", median(ms),
                *std::max_element(ms.begin(), ms.end()), what);
}
} // namespace

int main(int argc, char *argv[]) {
    ProbeApplication app(argc, argv);
    QTemporaryDir dir; // settings and records stay out of the user's folders
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    const QStringList sections{QString::fromUtf8("日本の地理"), QString::fromUtf8("世界史 第1章"),
                               QString::fromUtf8("英単語 ｶﾀｶﾅ")};
    QWidget mainWindow; // where the menu is
    mainWindow.resize(800, 600);
    mainWindow.show();

    // Fonts and styles loaded, as in a main window that has been used.
    prepareDataFolder(dir.filePath(QStringLiteral("small")), runs(20, sections), 2);
    openAndSwitch(app, mainWindow, sections[0], sections[1]);

    constexpr int kRuns = 20000;
    QElapsedTimer writing;
    writing.start();
    prepareDataFolder(dir.filePath(QStringLiteral("large")), runs(kRuns, sections), 1000);
    const history::ReadResult read = history::read();
    std::printf("%d runs written in %.0f ms; the window reads the last %lld of them\n", kRuns,
                writing.nsecsElapsed() / 1e6, static_cast<long long>(read.entries.size()));

    std::vector<double> reading, framed, painted, paintedCpu, switched;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        history::read();
        reading.push_back(timer.nsecsElapsed() / 1e6);
    }
    for (int i = 0; i < 5; ++i) {
        const Opening o = openAndSwitch(app, mainWindow, sections[0], sections[1]);
        framed.push_back(o.framed);
        painted.push_back(o.painted);
        paintedCpu.push_back(o.paintedCpu);
        switched.push_back(o.switched);
    }
    print("reading the history", reading);
    print("menu choice to the window's frame on screen", framed);
    print("menu choice to the chart and table painted", painted);
    print("  of which CPU time of the main thread", paintedCpu);
    print("another section chosen to its chart and table painted", switched);
    return 0;
}
