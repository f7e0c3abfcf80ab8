#include "Main.h"
#include "QuizState.h"
#include "Rendering.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[]) {
    // Screen readers read the quiz pages only if Qt WebEngine builds their accessibility
    // tree, which on Linux it does only when asked to (and then only while one is running).
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    rendering::choose();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessellar"));
    QApplication::setOrganizationName(QStringLiteral("Tessellar"));
    // Standard buttons read はい / いいえ / キャンセル whatever the system language.
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);
    QuizState state;
    Main(state);
    return QApplication::exec();
}
