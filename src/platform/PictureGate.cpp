#include "PictureGate.h"

#include <QFileInfo>
#include <QMutexLocker>

namespace {
#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif
} // namespace

void PictureFolder::setFolder(const QString &folder) {
    QString root = folder.isEmpty() ? QString() : QFileInfo(folder).canonicalFilePath();
    if (!root.isEmpty() && !root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    const QMutexLocker lock(&m_mutex);
    m_root = root;
}

bool PictureFolder::contains(const QUrl &url) const {
    if (!url.isLocalFile())
        return false;
    const QString path = QFileInfo(url.toLocalFile()).canonicalFilePath();
    // The real path has no links left, so this tests the file itself.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    const QMutexLocker lock(&m_mutex);
    return !m_root.isEmpty() && path.startsWith(m_root, kPathCase);
}

PictureGate::PictureGate(std::shared_ptr<const PictureFolder> folder, QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent), m_folder(std::move(folder)) {}

void PictureGate::interceptRequest(QWebEngineUrlRequestInfo &info) {
    // The pane's blank document comes as a data: address; the page itself allows no other
    // main-frame load.
    const bool blankDocument =
        info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame &&
        info.requestUrl().scheme() == QLatin1String("data");
    if (!blankDocument && !m_folder->contains(info.requestUrl()))
        info.block(true);
}
