#include "SessionEnd.h"

#include <QApplication>
#include <QDialog>
#include <QSessionManager>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace sessionend {
namespace {

std::function<void()> &currentHandler() {
    static std::function<void()> handler;
    return handler;
}

bool &endingFlag() {
    static bool flag = false;
    return flag;
}

// Each dismissal ends the nested event loop its dialog runs in, once control gets back there.
void dismissModalDialogs() {
    while (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
        if (!dialog->isVisible())
            break;
        dialog->done(QDialog::Rejected);
    }
}

void runHandler() {
    endingFlag() = true;
    dismissModalDialogs();
    if (currentHandler())
        currentHandler()();
}

#ifdef Q_OS_UNIX
int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: the event loop picks the byte up.
void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

void watchSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(signalPipe[1], &byte, 1);
        runHandler();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}
#endif

} // namespace

void onRequest(std::function<void()> handler) {
    const bool first = !currentHandler();
    currentHandler() = std::move(handler);
    if (!first)
        return;
#ifdef Q_OS_UNIX
    watchSignals();
#endif
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, qGuiApp,
                     [](QSessionManager &) { runHandler(); });
}

bool ending() {
    return endingFlag();
}

void forgetRequestForTesting() {
    endingFlag() = false;
}

} // namespace sessionend
