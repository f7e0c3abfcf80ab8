#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QtTest>

#include <unistd.h>

namespace testsupport {

void isolateEnvironment() {
    static QTemporaryDir home; // lives until the test program ends
    if (!home.isValid())
        qFatal("no temporary folder");
    const QByteArray root = home.path().toLocal8Bit();
    for (const char *sub : {"config", "data", "state", "cache", "runtime"})
        QDir(home.path()).mkpath(QLatin1String(sub));
    QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_STATE_HOME", root + "/state");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

CleanSettings::CleanSettings() {
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, m_dir.path());
}

FullDisk::FullDisk(const QList<std::pair<QString, QByteArray>> &files) {
    if (getuid() != 0) {
        m_unavailable = QStringLiteral("mounting a small tmpfs needs root");
        return;
    }
    const auto run = [](const QStringList &args) {
        return QProcess::execute(args.first(), args.mid(1)) == 0;
    };
    m_mounted = run({"mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", m_dir.path()});
    if (!m_mounted) {
        m_unavailable = QStringLiteral("tmpfs could not be mounted");
        return;
    }
    for (const auto &[name, bytes] : files)
        writeFile(filePath(name), bytes);
    QFile filler(filePath(QStringLiteral("filler")));
    const QByteArray block(4096, 'x');
    if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        while (filler.write(block) == block.size()) {
        }
}

FullDisk::~FullDisk() {
    if (m_mounted)
        QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace testsupport
