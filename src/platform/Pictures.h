#pragma once

#include <QPixmap>
#include <QString>

namespace pictures {

// The picture in the file at path, or a null pixmap. Only a regular file is opened: a
// picture name from a quiz may point at a FIFO or a device, which would block or never end.
QPixmap load(const QString &path);

} // namespace pictures
