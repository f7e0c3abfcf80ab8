#include "Main.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "Pictures.h"
#include "QuizState.h"
#include "Rendering.h"
#include "WebSandbox.h"

#include <QApplication>

#include <cstdio>
#include <optional>
#include <string_view>
#include <thread>

namespace {
constexpr const char *kUsage =
    "usage: tessellar [--help | --version] [Qt options]\n"
    "Writes quizzes and takes them. The first start opens the sample quizzes; the quiz\n"
    "folder is chosen in the program (表示 > ｵﾌﾟｼｮﾝ). See tessellar(1) and the help (F1).\n"
    "Quiz files from the command line: tessellar-tool --help.\n";

// Answered without a window or a display: a user asks them in a terminal.
std::optional<int> answerCommandLine(int argc, char *argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version" || arg == "-v") {
            std::printf("tessellar %s\n", TESSELLAR_VERSION);
            return 0;
        }
    }
    return std::nullopt;
}
} // namespace

int main(int argc, char *argv[]) {
    if (const std::optional<int> answered = answerCommandLine(argc, argv))
        return *answered;
    // Screen readers read the quiz pages only if Qt WebEngine builds their accessibility
    // tree, which on Linux it does only when asked to (and then only while one is running).
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    rendering::choose();
    // Work the window's start needs, done on another core while the application object sets
    // up. After the environment is set: fontconfig reads it on that thread, and a variable
    // added meanwhile can move the list from under it.
    std::jthread loadingEarly([] {
        fonts::loadEarly();
        pictures::loadFormatPluginsEarly();
    });
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessellar"));
    QApplication::setOrganizationName(QStringLiteral("Tessellar"));
    translateQtTexts();
    if (websandbox::refusesToStart()) { // said in a box rather than only on the web engine's log
        messagebox::show(nullptr, websandbox::explanation(), messagebox::applicationTitle(),
                         messagebox::Buttons::Ok, messagebox::Icon::Critical);
        return 1;
    }
    QuizState state;
    loadingEarly.join(); // done by now; from here on the environment may change again
    Main(state);
    return QApplication::exec();
}
