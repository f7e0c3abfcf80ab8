#include "Rendering.h"

#include <QCoreApplication>
#include <QQuickWindow>

namespace rendering {
namespace {
constexpr char kOpenGlChoice[] = "QT_XCB_GL_INTEGRATION";

QtMessageHandler g_previousHandler = nullptr;

// Qt WebEngine still asks for its OpenGL context, and Qt warns on every start that there is
// none: expected here, and nothing a user can act on.
void dropMissingOpenGlWarning(QtMsgType type, const QMessageLogContext &context,
                              const QString &message) {
    if (message.startsWith(QLatin1String("QXcbIntegration: Cannot create platform OpenGL")))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

// Read by the platform while the application object sets up, and to be gone afterwards: the
// programs this one starts (a browser, a mail program) keep their OpenGL, and warnings from
// then on are not looked at. Qt WebEngine's own start-up routine runs after this one, so this
// waits for the events to run.
void restoreOnceStarted() {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [] {
            qunsetenv(kOpenGlChoice);
            const QtMessageHandler current = qInstallMessageHandler(g_previousHandler);
            if (current != dropMissingOpenGlWarning) // someone installed theirs meanwhile
                qInstallMessageHandler(current);
        },
        Qt::QueuedConnection);
}
} // namespace

void choose() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // HTML views need it
    if (!qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") ||
        !qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        return;
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // Qt WebEngine sets up an OpenGL context as the application object is made, used by
    // nothing once the software renderer is chosen: loading the OpenGL driver held up the
    // start by 30 to 40 ms, and 50 MiB. Without OpenGL on X the context is not made.
    if (qEnvironmentVariableIsSet(kOpenGlChoice))
        return;
    qputenv(kOpenGlChoice, "none");
    if (const QtMessageHandler previous = qInstallMessageHandler(dropMissingOpenGlWarning);
        previous != dropMissingOpenGlWarning) // not when chosen twice: it would call itself
        g_previousHandler = previous;
    qAddPreRoutine(restoreOnceStarted);
}

} // namespace rendering
