#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>

namespace wholefile {

ReadResult read(const QString &path) {
    ReadResult result;
    if (!QFileInfo(path).isFile()) {
        result.error = QString::fromUtf8("%1 はファイルではありません").arg(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QString::fromUtf8("%1 を開けません: %2").arg(path, file.errorString());
        return result;
    }
    result.bytes = file.read(file.size());
    if (file.error() != QFileDevice::NoError)
        result.error = QString::fromUtf8("%1 を読み取れません: %2").arg(path, file.errorString());
    return result;
}

} // namespace wholefile
