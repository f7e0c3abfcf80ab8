#include "Main.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "Pictures.h"
#include "QuizState.h"
#include "Rendering.h"
#include "WebSandbox.h"

#include <QApplication>

#include <thread>

int main(int argc, char *argv[]) {
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
