#pragma once

#include "Exchange.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// Moodle XML, the question bank format of Moodle: <quiz> of <question type="multichoice"> and
// <question type="truefalse">, texts as HTML, pictures embedded in base64.
namespace moodlexml {

// A file bigger than this is refused unread; an embedded picture bigger than kMaxPicture is
// left out.
inline constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;
inline constexpr qint64 kMaxPictureBytes = 16 * 1024 * 1024;

QByteArray write(const QList<exchange::Question> &questions);

using ReadResult = exchange::FileRead;
// Reads questions of the two kinds with at most four answers, one of them right; a document
// with a DTD (external entities, entity bombs) is refused.
ReadResult read(QByteArrayView bytes);

} // namespace moodlexml
