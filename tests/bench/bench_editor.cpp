// Keystroke to text box in the quiz editor, with the preview on and off: an author types 300
// characters into the question box, each 40 ms after the last was taken (a fast typist), and
// each keystroke's delay is how late the event loop came to it plus the time the box took. Run it
// on a display with a window manager (scripts/on-display.sh): the preview renders for real.
#include "Controls.h"
#include "EditorWindow.h"
#include "MessageBox.h"
#include "QuestionPreview.h"
#include "QuizState.h"
#include "Rendering.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using testsupport::control;

namespace {
constexpr int kKeys = 300;
constexpr int kKeyInterval = 40; // milliseconds

std::vector<double> typeInto(QPlainTextEdit *box) {
    std::vector<double> delays;
    QElapsedTimer clock;
    clock.start();
    QEventLoop done;
    double due = 0;
    std::function<void()> key = [&] {
        const double late = std::max(0.0, clock.nsecsElapsed() / 1e6 - due);
        QElapsedTimer taking;
        taking.start();
        QTest::keyClick(box, char('a' + delays.size() % 26));
        delays.push_back(late + taking.nsecsElapsed() / 1e6);
        if (delays.size() == kKeys)
            return done.quit();
        due = clock.nsecsElapsed() / 1e6 + kKeyInterval;
        QTimer::singleShot(kKeyInterval, Qt::PreciseTimer, key);
    };
    due = kKeyInterval;
    QTimer::singleShot(kKeyInterval, Qt::PreciseTimer, key);
    done.exec();
    std::sort(delays.begin(), delays.end());
    return delays;
}

void run(bool preview, const QString &folder) {
    QuizState state;
    state.quizFolder = folder;
    EditorWindow editor(state);
    editor.setAttribute(Qt::WA_DeleteOnClose, false);
    if (control<QAction>(&editor, "viewPreviewAction")->isChecked() != preview)
        control<QAction>(&editor, "viewPreviewAction")->trigger();
    editor.show();
    if (!QTest::qWaitForWindowExposed(&editor))
        std::puts("the editor was not exposed");
    QTest::qWait(2500); // framed, and the preview's renderer started
    editor.activateWindow();
    control<QPlainTextEdit>(&editor, "questionBox")->setFocus();
    const std::vector<double> d = typeInto(control<QPlainTextEdit>(&editor, "questionBox"));
    std::printf("preview %-3s keystroke to box: median %6.2f ms, 95%% %6.2f ms, max %6.2f ms\n",
                preview ? "on" : "off", d[d.size() / 2], d[d.size() * 95 / 100], d.back());
    std::fflush(stdout);
    messagebox::script({messagebox::Answer::No}); // leave the typed text unsaved
    editor.close();
}
} // namespace

int main(int argc, char *argv[]) {
    rendering::choose(); // the preview drawn as in the program
    QApplication app(argc, argv);
    QTemporaryDir home;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    for (bool preview : {false, true, false, true})
        run(preview, home.path());
    return 0;
}
