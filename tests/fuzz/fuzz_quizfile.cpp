// Fuzz target for the quiz file reader: any bytes must read or fail cleanly, and a quiz that
// reads without bad text must write back and read again to the same questions.
#include "QuizFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const quizfile::ReadResult read = quizfile::parse(bytes);
    if (!read.ok) {
        if (read.error.isEmpty() || read.errorOffset < 0 || read.errorOffset > bytes.size())
            __builtin_trap();
        return 0;
    }
    if (read.records.isEmpty() || read.trailingBytes < 0 || !read.invalidTextOffsets.isEmpty())
        return 0;
    const auto count = static_cast<qint32>(read.records.size());
    const quizfile::EncodeResult written = quizfile::encode(count, read.records);
    if (!written.ok() || quizfile::parse(written.bytes).records != read.records)
        __builtin_trap();
    return 0;
}
