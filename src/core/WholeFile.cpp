#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wholefile {

QString openRegular(const QString &path, QFile &file, const QString &notRegular) {
    const auto cannotOpen = [&path](const QString &why) {
        return QString::fromUtf8("%1 を開けません: %2").arg(path, why);
    };
    if (!QFileInfo(path).isFile()) // a device is not even opened: opening some does something
        return notRegular.arg(path);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return notRegular.arg(path);
        return cannotOpen(qt_error_string(errno));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return notRegular.arg(path);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return cannotOpen(file.errorString());
    }
    return {};
}

ReadResult read(const QString &path, const QString &notRegular) {
    ReadResult result;
    QFile file;
    result.error = openRegular(path, file, notRegular);
    if (!result.ok())
        return result;
    result.bytes = file.read(file.size());
    if (file.error() != QFileDevice::NoError)
        result.error = QString::fromUtf8("%1 を読み取れません: %2").arg(path, file.errorString());
    return result;
}

} // namespace wholefile
