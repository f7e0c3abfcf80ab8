#pragma once

#include <QString>

// The per-user settings store: application "Tessellar", group "Settings", values as text.
namespace settings {

QString readString(const QString &key, const QString &fallback);
void writeString(const QString &key, const QString &value);

// A value that is absent or not a whole number gives the fallback.
int readNumber(const QString &key, int fallback);
void writeNumber(const QString &key, int value);

// The folder that holds the settings file.
QString folder();

} // namespace settings
