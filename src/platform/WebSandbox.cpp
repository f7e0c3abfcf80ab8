#include "WebSandbox.h"

#include "Design.h"

#include <QCoreApplication>

#include <unistd.h>

namespace websandbox {
namespace {
const QString kNoSandbox = QStringLiteral("--no-sandbox");
}

bool refusesToStart(bool root, const QByteArray &chromiumFlags, bool disabledByVariable,
                    const QStringList &arguments) {
    if (!root || disabledByVariable || arguments.contains(kNoSandbox))
        return false;
    const QStringList flags =
        QString::fromLocal8Bit(chromiumFlags).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return !flags.contains(kNoSandbox);
}

bool refusesToStart() {
    return refusesToStart(::geteuid() == 0, qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"),
                          qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"),
                          QCoreApplication::arguments());
}

QString explanation() {
    return design::uiText("Tessellar が管理者 (root) として起動されました。\r\n"
                          "問題を表示する Web エンジンは，安全のためのサンドボックスを使うため，"
                          "root では動きません。\r\n\r\n"
                          "一般のユーザーとして起動してください。\r\n"
                          "root で使う必要があるときは，次のどちらかでサンドボックスを切って"
                          "起動してください。\r\n"
                          "    tessellar --no-sandbox\r\n"
                          "    QTWEBENGINE_DISABLE_SANDBOX=1 tessellar");
}

} // namespace websandbox
