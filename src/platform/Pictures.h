#pragma once

#include <QPixmap>
#include <QString>

namespace pictures {

// The picture in the file at path, or a null pixmap. Only a regular file is opened: a
// picture name from a quiz may point at a FIFO or a device, which would block or never end.
QPixmap load(const QString &path);

// Qt loads every image format plugin the first time it reads an image without being told its
// format, as Qt's toolbar does for the arrow to its hidden buttons: 2 ms or so on the main
// thread before the window can show. Run on another thread before then, this loads them on
// another core.
void loadFormatPluginsEarly();

} // namespace pictures
