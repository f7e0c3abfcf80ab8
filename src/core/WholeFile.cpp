#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wholefile {

QString openRegular(const QString &path, QFile &file, const QString &notRegular, Failure *failure) {
    const auto failed = [&](Failure kind, const QString &why) {
        if (failure)
            *failure = kind;
        return why;
    };
    const auto cannotOpen = [&](const QString &why) {
        return failed(Failure::Unreadable, QString::fromUtf8("%1 を開けません: %2").arg(path, why));
    };
    const QFileInfo info(path);
    if (!info.isFile()) // a device is not even opened: opening some does something
        return failed(info.exists() || info.isSymLink() ? Failure::NotAFile : Failure::Missing,
                      notRegular.arg(path));
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return failed(Failure::Missing, notRegular.arg(path));
        return cannotOpen(qt_error_string(errno));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return failed(Failure::NotAFile, notRegular.arg(path));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return cannotOpen(file.errorString());
    }
    return failed(Failure::None, {});
}

ReadResult read(const QString &path, const QString &notRegular) {
    ReadResult result;
    QFile file;
    result.error = openRegular(path, file, notRegular, &result.failure);
    if (!result.ok())
        return result;
    result.bytes = file.read(file.size());
    if (file.error() != QFileDevice::NoError) {
        result.failure = Failure::Unreadable;
        result.error = QString::fromUtf8("%1 を読み取れません: %2").arg(path, file.errorString());
    }
    return result;
}

} // namespace wholefile
