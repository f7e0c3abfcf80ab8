#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wholefile {

Opened openRegular(const QString &path, QFile &file, QString &errorText) {
    if (!QFileInfo(path).isFile()) // a device is not even opened: opening some does something
        return Opened::NotRegular;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Opened::NotRegular;
        errorText = qt_error_string(errno);
        return Opened::Failed;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Opened::NotRegular;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        errorText = file.errorString();
        ::close(fd);
        return Opened::Failed;
    }
    return Opened::Ok;
}

ReadResult read(const QString &path) {
    ReadResult result;
    QFile file;
    QString why;
    switch (openRegular(path, file, why)) {
    case Opened::NotRegular:
        result.error = QString::fromUtf8("%1 はファイルではありません").arg(path);
        return result;
    case Opened::Failed:
        result.error = QString::fromUtf8("%1 を開けません: %2").arg(path, why);
        return result;
    case Opened::Ok:
        break;
    }
    result.bytes = file.read(file.size());
    if (file.error() != QFileDevice::NoError)
        result.error = QString::fromUtf8("%1 を読み取れません: %2").arg(path, file.errorString());
    return result;
}

} // namespace wholefile
