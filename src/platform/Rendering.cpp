#include "Rendering.h"

#include <QCoreApplication>
#include <QQuickWindow>

namespace rendering {

void choose() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // HTML views need it
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") &&
        qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

} // namespace rendering
