#pragma once

#include <QByteArray>
#include <QString>

// Reading a file that came from anyone whole into memory.
namespace wholefile {

struct ReadResult {
    QByteArray bytes;
    QString error; // empty on success
    bool ok() const { return error.isEmpty(); }
};

// Reads a regular file, at most the size seen at the open: a FIFO would block, a device would
// never end and a file that grows meanwhile cannot run away.
ReadResult read(const QString &path);

} // namespace wholefile
