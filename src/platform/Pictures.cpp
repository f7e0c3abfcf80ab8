#include "Pictures.h"

#include <QFileInfo>

namespace pictures {

QPixmap load(const QString &path) {
    if (!QFileInfo(path).isFile())
        return {};
    return QPixmap(path);
}

} // namespace pictures
