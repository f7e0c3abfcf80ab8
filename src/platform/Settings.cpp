#include "Settings.h"

#include "Numbers.h"

#include <QFileInfo>
#include <QSettings>

namespace settings {
namespace {
QString qualified(const QString &key) {
    return QStringLiteral("Settings/") + key;
}

// INI text either way; on Linux the native format is the one that names its file .conf.
QSettings store() {
#ifdef Q_OS_WIN
    constexpr auto format = QSettings::IniFormat;
#else
    constexpr auto format = QSettings::NativeFormat;
#endif
    return QSettings(format, QSettings::UserScope, QStringLiteral("Tessellar"),
                     QStringLiteral("Tessellar"));
}
struct FailureReport {
    std::function<void(const QString &)> tell;
    bool told = false;
};
FailureReport &failureReport() {
    static FailureReport report;
    return report;
}
} // namespace

void onWriteFailure(std::function<void(const QString &file)> tell) {
    failureReport() = {std::move(tell), false};
}

QString readString(const QString &key, const QString &fallback) {
    return store().value(qualified(key), fallback).toString();
}

void writeString(const QString &key, const QString &value) {
    QSettings kept = store();
    kept.setValue(qualified(key), value);
    kept.sync();
    FailureReport &report = failureReport();
    if (kept.status() == QSettings::NoError || report.told || !report.tell)
        return;
    report.told = true;
    report.tell(kept.fileName());
}

int readNumber(const QString &key, int fallback) {
    const WholeNumber number = toInt32(readString(key, QString::number(fallback)));
    return number.ok() ? static_cast<int>(number.value) : fallback;
}

void writeNumber(const QString &key, int value) {
    writeString(key, QString::number(value));
}

QString folder() {
    return QFileInfo(store().fileName()).absolutePath();
}

} // namespace settings
