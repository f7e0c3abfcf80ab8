#pragma once

#include <QString>

#include <functional>

// The per-user settings store: application "Tessellar", group "Settings", values as text.
namespace settings {

QString readString(const QString &key, const QString &fallback);
void writeString(const QString &key, const QString &value);

// A value that is absent or not a whole number gives the fallback.
int readNumber(const QString &key, int fallback);
void writeNumber(const QString &key, int value);

// Called once, with the settings file's name, the first time a value cannot be kept (a full
// disk, a file that cannot be replaced); the program goes on with the value in memory.
void onWriteFailure(std::function<void(const QString &file)> tell);

// The folder that holds the settings file.
QString folder();

} // namespace settings
