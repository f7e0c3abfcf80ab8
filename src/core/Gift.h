#pragma once

#include "Exchange.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// GIFT, the plain text question format of Moodle: "::title::[html]text{=right ~wrong
// ####feedback}", {TRUE}/{FALSE} for true/false, questions apart by a blank line. Pictures
// are referenced by name in the text, not carried.
namespace gift {

inline constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// UTF-8, without a byte order mark.
QByteArray write(const QList<exchange::Question> &questions);

using ReadResult = exchange::FileRead;
ReadResult read(QByteArrayView bytes);

// The text with GIFT's special characters (~ = # { } : \) escaped and line breaks as \n.
QString escaped(const QString &text);

} // namespace gift
