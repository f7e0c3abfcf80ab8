#pragma once

#include "QuizRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The JSON form of a quiz, as tessellar-tool shows and takes it and as the editor keeps
// unsaved work:
// {"count": N, "records": [{"Number": n, "ReportNumber": n, "Question": "...", ...}],
//  "trailingBytes": K}, keys in exactly that order.
namespace quizjson {

QByteArray write(const QList<QuizRecord> &records, qint64 trailingBytes);

// Reads the records of a JSON quiz; on failure returns false with the problem in error.
bool read(const QByteArray &json, QList<QuizRecord> &records, QString &error);

} // namespace quizjson
