#pragma once

#include "Csv.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The encodings a CSV file is read and written in: UTF-8, which spreadsheets open correctly
// when it starts with a byte order mark, and Shift_JIS (CP932), as older ones write it.
namespace csv {

enum class Encoding { Utf8, Cp932 };

inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// "UTF-8 (BOM 付き)", "UTF-8" or "Shift_JIS (CP932)".
QString encodingName(Encoding encoding, bool bom);

struct Decoded {
    QString text; // without the byte order mark
    Encoding encoding = Encoding::Utf8;
    bool bom = false;
    Error error; // on a byte that neither encoding reads (nothing else is set then)
};

// Decides by the bytes: UTF-8 when they start with its byte order mark or are all well-formed
// UTF-8 (plain ASCII included), otherwise CP932.
Decoded decode(QByteArrayView bytes);

// The offset of the first byte that does not begin a well-formed UTF-8 sequence, or -1.
qsizetype invalidUtf8At(QByteArrayView bytes);

} // namespace csv
