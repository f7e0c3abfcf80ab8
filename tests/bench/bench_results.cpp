// What the user waits for at the end of a run, for 1,000 and 30,000 listed questions:
//  - the first wrap of the report (every line measured afresh, as a new window does);
//  - はい to the results window painted: from building the window until it is on screen with
//    its report drawn (the expose or update that painted the report area has been handled, so
//    the frame has gone to the X server);
//  - saving the 30,000-question report as PDF.
// Run it on a display with a window manager: bash scripts/on-display.sh build/bench/bench_results
#include "Controls.h"
#include "FileDialog.h"
#include "MessageBox.h"
#include "Printer.h"
#include "QuizState.h"
#include "ReportArea.h"
#include "ResultWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <iterator>
#include <vector>

using testsupport::control;

namespace {
// Notes when the watched window is on screen with its report drawn: its report area has been
// painted and the window's expose or update that painted it has been handled, which sends the
// frame to the X server.
class ProbeApplication : public QApplication {
public:
    using QApplication::QApplication;
    QWindow *watched = nullptr;
    QWidget *area = nullptr;
    bool areaPainted = false;
    bool painted = false;

    bool notify(QObject *receiver, QEvent *event) override {
        const bool handled = QApplication::notify(receiver, event);
        if (receiver == area && event->type() == QEvent::Paint)
            areaPainted = true;
        const bool frame =
            event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
        if (receiver == watched && frame && watched->isExposed() && areaPainted)
            painted = true;
        return handled;
    }
};

// Key points as a real quiz has them: Japanese sentences with digits, Latin letters and
// half-width katakana, some wider than the area (cut into rows), some of two lines.
QString keyPoint(int i) {
    static const char *const kPoints[] = {
        "信濃川は長野県では千曲川と呼ばれ，新潟県で日本海に注ぐ日本一長い川です。",
        "ｶﾀｶﾅ(half-width) と全角カタカナが混ざった説明。",
        "The Tone River (利根川) drains the Kanto plain: 322 km, basin 16,840 平方km.",
        "短い。",
        "1行目の説明です。\r\n2行目は補足で，図表番号 No.12-3 を参照してください。",
        "日本の三大急流は最上川・富士川・球磨川で，いずれも流れが速く，古くから舟運や"
        "水運に使われてきました。詳しくは教科書の第3章を読んでください。"};
    return QString::fromUtf8(kPoints[i % std::size(kPoints)]) + QString::number(i);
}

void fill(QuizState &state, int listed) {
    state.resizeQuestions(listed);
    for (int i = 0; i < listed; ++i) {
        QuizRecord &q = state.questions[i];
        q.number = q.reportNumber = i + 1;
        q.answer = i % 3 ? QString::fromUtf8("○") : QStringLiteral("3");
        q.keyPoint = keyPoint(i);
        state.answerMarks[i] = 2;
        state.answerTexts[i] = i % 3 ? QString::fromUtf8("×") : QStringLiteral("1");
    }
}

// CPU time of this thread: the machine is shared, so the wall time alone says little.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Figures {
    double median, worst, medianCpu;
};
Figures timed(int runs, const std::function<void()> &run) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        const double cpuStart = cpuMs();
        timer.start();
        run();
        wall.push_back(timer.nsecsElapsed() / 1e6);
        cpu.push_back(cpuMs() - cpuStart);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], wall.back(), cpu[cpu.size() / 2]};
}

void print(const char *what, int listed, Figures f) {
    std::printf("%6d listed: median %8.2f ms (CPU %8.2f ms), worst %8.2f ms  %s\n", listed,
                f.median, f.medianCpu, f.worst, what);
}

// The wrap a new window does first, for the report area at its design width.
Figures firstWrap(const QuizState &state, int runs) {
    ResultWindow results(const_cast<QuizState &>(state), QString());
    ReportArea *area = control<ReportArea>(&results, "reportArea");
    return timed(runs, [&] {
        area->setReportText(results.reportText()); // forgets every measured line
        area->wrappedReport();
    });
}

void openAndPaint(ProbeApplication &app, QuizState &state) {
    ResultWindow results(state, QString());
    app.area = control<ReportArea>(&results, "reportArea");
    app.areaPainted = app.painted = false;
    results.show();
    app.watched = results.windowHandle();
    while (!app.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    app.watched = nullptr;
    app.area = nullptr;
}

void saveAsPdf(QuizState &state, const QString &path) {
    ResultWindow results(state, QString());
    messagebox::script({messagebox::Answer::Yes});
    filedialog::script({path});
    const Figures f = timed(1, [&] { results.printReportOrPdf(); });
    std::printf("%6lld listed:        %8.2f ms (CPU %8.2f ms)  save as PDF, %lld bytes\n",
                static_cast<long long>(results.reportText().count(QString::fromUtf8("問題: "))),
                f.median, f.medianCpu, static_cast<long long>(QFileInfo(path).size()));
}
} // namespace

int main(int argc, char *argv[]) {
    ProbeApplication app(argc, argv);
    QTemporaryDir dir; // settings and the PDF stay out of the user's folders
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    messagebox::script({});
    printing::setNoPrinterForTesting(true);
    QuizState warmUp;
    fill(warmUp, 10);
    openAndPaint(app, warmUp); // fonts and styles loaded, as after a run in the main window
    for (int listed : {1000, 30000}) {
        QuizState state;
        fill(state, listed);
        print("first wrap", listed, firstWrap(state, 5));
        print("はい to the window painted", listed, timed(5, [&] { openAndPaint(app, state); }));
        if (listed == 30000)
            saveAsPdf(state, dir.filePath(QStringLiteral("report.pdf")));
    }
    return 0;
}
