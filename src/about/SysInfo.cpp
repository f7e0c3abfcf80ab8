#include "SysInfo.h"

#include <QStandardPaths>

namespace sysinfo {
namespace {
constexpr quint32 kAccess = 0x2003F;
constexpr int kBufferSize = 1024;

// The value's text: the bytes in the system code page, cut before the first NUL.
bool textBeforeNul(const QByteArray &buffer, QString &text) {
    const qsizetype nul = buffer.indexOf('\0');
    if (nul < 0)
        return false;
    text = QString::fromLocal8Bit(buffer.left(nul));
    return true;
}

// Hexadecimal character codes from the last character to the first, after what keyVal held.
QString dwordText(const QString &text, const QString &keyVal) {
    QString digits = keyVal;
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        digits += QString::number(text[i].unicode(), 16).toUpper();
    return QStringLiteral("&h") + digits;
}
} // namespace

bool GetKeyValue(Registry &registry, quint32 keyRoot, const QString &keyName,
                 const QString &subKeyRef, QString &keyVal, bool &runtimeError) {
    runtimeError = false;
    quintptr handle = 0;
    bool found = false;
    QByteArray buffer(kBufferSize, '\0');
    quint32 type = 0;
    QString text;
    if (registry.openKey(keyRoot, keyName, kAccess, handle) != 0 ||
        registry.queryValue(handle, subKeyRef, type, buffer) != 0) {
        keyVal.clear();
    } else if (!textBeforeNul(buffer, text)) {
        runtimeError = true;
    } else {
        if (type == Registry::kTypeString)
            keyVal = text;
        else if (type == Registry::kTypeDword)
            keyVal = dwordText(text, keyVal);
        found = true;
    }
    registry.closeKey(handle); // also the empty handle, as the Windows call allows
    return found;
}

QString findInRegistry(Registry &registry, const std::function<bool(const QString &)> &fileExists) {
    QString path;
    bool error = false;
    if (GetKeyValue(registry, Registry::kLocalMachine,
                    QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path, error))
        return path;
    if (error)
        return {};
    if (GetKeyValue(registry, Registry::kLocalMachine,
                    QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                    QStringLiteral("MSINFO"), path, error) &&
        fileExists(path + QStringLiteral("\\MSINFO32.EXE")))
        return path + QStringLiteral("\\MSINFO32.EXE");
    return {};
}

QString findInstalledProgram() {
    for (const char *program : {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor",
                                "xfce4-taskmanager", "mate-system-monitor"}) {
        const QString path = QStandardPaths::findExecutable(QLatin1String(program));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

} // namespace sysinfo
