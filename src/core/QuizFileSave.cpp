// Writing a quiz file crash-safe: a temporary file beside it, flushed to the disk, put in
// place only when whole.
#include "QuizFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace quizfile {
namespace {
QString saveText(const char *utf8) {
    return QString::fromUtf8(utf8);
}
} // namespace

namespace {

// Why the last file operation failed, in words a user reads; the system's own words (English
// under most locales) for anything less common.
QString failureReason(const QString &systemWords) {
    switch (errno) {
    case ENOSPC:
    case EDQUOT:
        return saveText("ディスクの空き容量が足りません (%1)").arg(systemWords);
    case EACCES:
    case EPERM:
        return saveText("書き込む権限がありません (%1)").arg(systemWords);
    case EROFS:
        return saveText("読み取り専用のディスクです (%1)").arg(systemWords);
    default:
        return systemWords;
    }
}

// Writes the content and replaces the old file only when every byte is on the disk; returns
// why not. Unbuffered, so a full disk fails the write itself: a buffered QSaveFile can
// report a commit as done although its last flush failed, leaving an empty file in place of
// the quiz. The sync catches file systems that report a full disk only when the data leaves
// the cache.
QString writeAll(QSaveFile &file, const QByteArray &content) {
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failureReason(file.errorString());
    if (file.write(content) != content.size())
        return failureReason(file.errorString());
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0) {
        const QString reason = failureReason(QString::fromLocal8Bit(std::strerror(errno)));
        file.cancelWriting();
        return reason;
    }
#endif
    return file.commit() ? QString() : failureReason(file.errorString());
}

} // namespace

SaveResult save(const QString &path, const QByteArray &content) {
    SaveResult result;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        result.error = saveText("%1 はファイルではありません").arg(path);
        result.failure = wholefile::Failure::NotAFile;
        return result;
    }
    // A file without any write permission is write-protected even for root, who could
    // otherwise write over it.
    const auto writeBits =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (info.exists() && (!info.isWritable() || !(info.permissions() & writeBits))) {
        result.error = saveText("%1 は書き込みが禁止されています").arg(path);
        result.failure = wholefile::Failure::WriteProtected;
        return result;
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (const QString reason = writeAll(file, content); !reason.isEmpty()) {
        // The temporary file is dropped with file; the old one is untouched.
        result.error = saveText("%1 に書き込めません: %2").arg(path, reason);
        result.failure = wholefile::Failure::WriteFailed;
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace quizfile
