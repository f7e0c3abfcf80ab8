#include "Desktop.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace desktop {
namespace {
std::function<void(const QUrl &)> &opener() {
    static std::function<void(const QUrl &)> replaced;
    return replaced;
}
} // namespace

void openUrl(const QUrl &url, const std::function<void()> &failed) {
    if (opener()) {
        opener()(url);
        return;
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // xdg-open is run and watched rather than started detached, so that its failure is
    // known. The process has no parent: one still running when the program ends is left to
    // run, since deleting it would end the browser it started.
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (launcher.isEmpty()) {
        if (failed)
            failed();
        return;
    }
    auto *process = new QProcess;
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int code, QProcess::ExitStatus status) {
                         if ((code != 0 || status != QProcess::NormalExit) && failed)
                             failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         if (failed)
                             failed();
                         process->deleteLater();
                     });
    process->start(launcher, {url.toString(QUrl::FullyEncoded)});
#else
    if (!QDesktopServices::openUrl(url) && failed)
        failed();
#endif
}

void setUrlOpener(std::function<void(const QUrl &)> replacement) {
    opener() = std::move(replacement);
}

} // namespace desktop
