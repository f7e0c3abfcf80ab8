#pragma once

#include "Registry.h"

#include <QString>

#include <functional>

// Finding the platform's system-information tool.
namespace sysinfo {

// Reads the value subKeyRef of the key keyName under keyRoot into keyVal: a string value as
// its text up to the first NUL, a 32-bit value as "&h" and hexadecimal digits, any other
// type leaves keyVal as it was. False when the key or the value cannot be read.
// runtimeError is set when the value's 1024 bytes hold no NUL.
bool GetKeyValue(Registry &registry, quint32 keyRoot, const QString &keyName,
                 const QString &subKeyRef, QString &keyVal, bool &runtimeError);

// The registry's answer: the PATH value of MSINFO, else MSINFO32.EXE in the folder named by
// "Shared Tools Location" when that file exists; empty when there is none.
QString findInRegistry(Registry &registry, const std::function<bool(const QString &)> &fileExists);

// A system-information program installed on a desktop without a registry, or empty.
QString findInstalledProgram();

} // namespace sysinfo
