#pragma once

#include <QMutex>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>

#include <memory>

// The folder whose pictures a pane's pages may show. Set on the user-interface thread and
// read by the request interceptor, which Chromium may call on a thread of its own.
class PictureFolder {
public:
    // The folder is resolved here (symbolic links, "..") so that requests are compared with
    // the real folder; an empty or missing folder allows nothing.
    void setFolder(const QString &folder);
    // True for a file: address of a regular file whose real path lies under the folder. Not a
    // FIFO or a device: reading one could block the loader for good.
    bool contains(const QUrl &url) const;

private:
    mutable QMutex m_mutex;
    QString m_root; // the real folder, ending in a separator
};

// Blocks every request of a page but its blank document and the pictures of the quiz folder:
// content from a quiz file reads no other file and reaches no server.
class PictureGate : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    explicit PictureGate(std::shared_ptr<const PictureFolder> folder, QObject *parent = nullptr);
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    std::shared_ptr<const PictureFolder> m_folder;
};
