#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Reading a file that came from anyone whole into memory.
namespace wholefile {

// What went wrong, for a caller to decide on; the message says it to the user.
enum class Failure {
    None,
    Missing,    // nothing at the path
    NotAFile,   // a folder, a FIFO, a device
    Unreadable, // no permission, an I/O error
    Damaged,    // read, but not what the format allows
    TooLarge,   // more than the program takes
    WriteProtected,
    WriteFailed, // a full disk, a folder that cannot be written
};

struct ReadResult {
    QByteArray bytes;
    QString error; // empty on success
    Failure failure = Failure::None;
    bool ok() const { return error.isEmpty(); }
};

// Reads a regular file, at most the size seen at the open: a FIFO would block, a device would
// never end and a file that grows meanwhile cannot run away. notRegular as for openRegular.
ReadResult read(const QString &path,
                const QString &notRegular = QString::fromUtf8("%1 はファイルではありません"));

// Opens a file for reading if it is a regular file; returns why not, empty when it is open.
// notRegular ("%1 は…", %1 the path) says a file is missing or no regular file. The type is
// checked again on the file opened, and the open itself never waits: a FIFO put in the
// file's place after the first check cannot block it.
// failure, when given, receives the kind.
QString openRegular(const QString &path, QFile &file, const QString &notRegular,
                    Failure *failure = nullptr);

} // namespace wholefile
