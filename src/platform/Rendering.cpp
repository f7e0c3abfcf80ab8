#include "Rendering.h"

#include <QCoreApplication>
#include <QQuickWindow>

namespace rendering {
namespace {
constexpr char kOpenGlChoice[] = "QT_XCB_GL_INTEGRATION";

// Read by the platform while the application object sets up, and to be gone afterwards: the
// programs this one starts (a browser, a mail program) keep their OpenGL. Qt WebEngine's own
// start-up routine runs after this one, so the variable goes once the events run.
void forgetOpenGlChoiceLater() {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { qunsetenv(kOpenGlChoice); }, Qt::QueuedConnection);
}
} // namespace

void choose() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // HTML views need it
    if (!qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") ||
        !qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        return;
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // Qt WebEngine sets up an OpenGL context as the application object is made, used by
    // nothing once the software renderer is chosen: loading the OpenGL driver took a third of
    // the start. Without OpenGL on X the context is not made.
    if (qEnvironmentVariableIsSet(kOpenGlChoice))
        return;
    qputenv(kOpenGlChoice, "none");
    qAddPreRoutine(forgetOpenGlChoiceLater);
}

} // namespace rendering
