// Repaint of the results window's report with 10,000 listed questions, offscreen: the
// repaint of an unchanged report (wrapped once, drawn) and the repaint after a change of
// width (wrapped again and drawn). Median and worst of 50 repaints each.
#include "MessageBox.h"
#include "QuizState.h"
#include "ReportArea.h"
#include "ResultWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
constexpr int kListed = 10000;
constexpr int kRepaints = 50;

void report(const char *what, const std::function<void(int)> &repaint) {
    std::vector<double> times;
    for (int i = 0; i < kRepaints; ++i) {
        QElapsedTimer timer;
        timer.start();
        repaint(i);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-40s median %7.2f ms, max %7.2f ms\n", what, times[times.size() / 2],
                times.back());
}
} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settings; // the too-tall warning box must not need the user's settings
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QuizState state;
    state.resizeQuestions(kListed);
    for (int i = 0; i < kListed; ++i) {
        state.questions[i].ReportNumber = i + 1;
        state.questions[i].Answer = QString::fromUtf8("○");
        state.questions[i].KeyPoint =
            QString::fromUtf8(
                "信濃川は長野県では千曲川と呼ばれ，新潟県で日本海に注ぐ日本一長い川です。") +
            QString::number(i); // every line different
        state.answerMarks[i] = 2;
        state.answerTexts[i] = QString::fromUtf8("×");
    }
    messagebox::script({});
    QElapsedTimer load;
    load.start();
    ResultWindow results(state); // counts, builds and wraps the report once
    std::printf("%-40s %7.2f ms\n", "load (first wrap, every line measured)",
                load.nsecsElapsed() / 1e6);
    results.show();
    QCoreApplication::processEvents();
    ReportArea *area = results.reportArea;
    report("repaint, report unchanged", [area](int) { area->repaint(); });
    report("repaint after a width change (rewrap)", [area](int i) {
        area->resize(area->width() + (i % 2 ? 1 : -1), area->height());
        area->repaint();
    });
    std::printf("wrapped lines: %lld\n",
                static_cast<long long>(area->wrappedReport().count(QStringLiteral("\r\n"))));
    return 0;
}
