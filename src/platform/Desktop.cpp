#include "Desktop.h"

#include <QDesktopServices>

namespace desktop {
namespace {
std::function<void(const QUrl &)> &opener() {
    static std::function<void(const QUrl &)> replaced;
    return replaced;
}
} // namespace

void openUrl(const QUrl &url) {
    if (opener())
        opener()(url);
    else
        QDesktopServices::openUrl(url);
}

void setUrlOpener(std::function<void(const QUrl &)> replacement) {
    opener() = std::move(replacement);
}

} // namespace desktop
