#pragma once

#include "QuizRecord.h"
#include "WholeFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A quiz file: a 4-byte little-endian record count, then the records back to back. Each
// record is two 32-bit numbers and five strings, each string a 16-bit byte length followed
// by its CP932 bytes. Bytes after the last record mean nothing.
namespace quizfile {

inline constexpr qint64 kMinRecordSize = 4 + 4 + 5 * 2;
inline constexpr qint64 kMaxTextBytes = 0xFFFF;

struct ReadResult {
    bool ok = false;
    qint32 count = 0; // the questions the file holds, also when they are only checked
    QList<QuizRecord> records;
    qint64 trailingBytes = 0;
    // On failure: where reading stopped (-1 when the file could not be opened) and why.
    qint64 errorOffset = -1;
    QString error;
    wholefile::Failure failure = wholefile::Failure::None;
    // Offsets of the first byte of each text that held bytes that are not CP932.
    QList<qint64> invalidTextOffsets;
};

// Load keeps the records; Check reads every text as Load does but keeps none of them (records
// stays empty), so a file of any size checks in little memory.
enum class Mode { Load, Check };

// Reads a quiz from its bytes. Never allocates for more records than the bytes can hold.
ReadResult parse(QByteArrayView bytes, Mode mode = Mode::Load);
// Reads the quiz file at path; a file that cannot be opened or read fails with offset -1.
ReadResult read(const QString &path, Mode mode = Mode::Load);
// The bytes of the quiz file at path, read whole for parse(), or why not, worded as read()
// words it.
wholefile::ReadResult readBytes(const QString &path);

struct EncodeResult {
    QByteArray bytes;
    QString error;          // empty on success; else a line per field that cannot be stored
    int questionNumber = 0; // the first such field
    QuizField field = QuizField::Question;
    bool ok() const { return error.isEmpty(); }
};

// Encodes count records from the table; entries the table lacks are written empty, so the
// file always holds what its count announces. Texts read from bytes that are not CP932 are
// written back as those bytes while unchanged. Refuses texts CP932 cannot hold, and more
// questions than a quiz run takes (quizrun::kMaxQuestionCount).
EncodeResult encode(qint32 count, const QList<QuizRecord> &table);
// Why a quiz of count questions is refused: more than a quiz run takes.
QString tooManyQuestions(qint32 count);

struct SaveResult {
    bool ok = false;
    QString error;
    wholefile::Failure failure = wholefile::Failure::None;
};

// Writes content as the whole file at path, crash-safe: through a temporary file in the same
// folder that replaces the old one only when every byte is written. Nothing of an older,
// longer file is left after the content: questions deleted from a quiz are gone from its file.
SaveResult save(const QString &path, const QByteArray &content);

} // namespace quizfile
