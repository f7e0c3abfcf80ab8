#include "Main.h"
#include "Fonts.h"
#include "QuizState.h"
#include "Rendering.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    const std::jthread fontsLoading = fonts::loadEarly();
    // Screen readers read the quiz pages only if Qt WebEngine builds their accessibility
    // tree, which on Linux it does only when asked to (and then only while one is running).
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    rendering::choose();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessellar"));
    QApplication::setOrganizationName(QStringLiteral("Tessellar"));
    translateQtTexts();
    QuizState state;
    Main(state);
    return QApplication::exec();
}
