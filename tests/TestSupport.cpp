#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTimer>
#include <QtEndian>
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

bool waitUntil(const std::function<bool()> &condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QTimer wake; // the wait below returns at the latest with its tick, to look again
    wake.start(5);
    bool holds = false;
    while (!(holds = condition()) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        // As QTest's waits do: objects deleted later go now, there being no outer loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return holds;
}

void runEventsFor(int ms) {
    waitUntil([] { return false; }, ms);
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

QByteArray numberedEmptyQuiz(qint32 count) {
    QByteArray bytes(4 + qsizetype(count) * kEmptyRecordSize, '\0');
    qToLittleEndian(count, bytes.data());
    for (qint32 n = 1; n <= count; ++n) {
        char *record = bytes.data() + 4 + qsizetype(n - 1) * kEmptyRecordSize;
        qToLittleEndian(n, record);
        qToLittleEndian(n, record + 4);
    }
    return bytes;
}

} // namespace testsupport
