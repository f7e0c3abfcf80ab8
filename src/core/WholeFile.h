#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Reading a file that came from anyone whole into memory.
namespace wholefile {

struct ReadResult {
    QByteArray bytes;
    QString error; // empty on success
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
QString openRegular(const QString &path, QFile &file, const QString &notRegular);

} // namespace wholefile
