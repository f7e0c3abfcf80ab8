#include "QuizFile.h"

#include "Cp932.h"
#include "QuizRun.h"
#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

namespace quizfile {
namespace {

QString tr(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// Reads little-endian fields from bytes in memory or from a file, remembering the first
// failure. A file is read a block at a time, so the whole file is never in memory at once.
class Reader {
public:
    explicit Reader(QByteArrayView bytes) : m_window(bytes), m_size(bytes.size()) {}
    // At most size bytes are read: a file that grows meanwhile cannot run away.
    Reader(QIODevice &file, qint64 size) : m_file(&file), m_size(size) {}

    qint64 offset() const { return m_offset; }
    qint64 left() const { return m_size - m_offset; }

    // Whether the next size bytes can be read; from a file, brings them into memory.
    bool has(qint64 size) {
        return m_offset + size <= m_windowStart + m_window.size() || (m_file && fill(size));
    }
    // Records why the next size bytes cannot be read; returns false for the caller to pass on.
    bool failShort(qint64 size, const QString &what) {
        m_error = tr("%1 を読み取れません (%2 バイト必要ですが、残りは %3 バイトです)")
                      .arg(what)
                      .arg(size)
                      .arg(left());
        return false;
    }
    // These read what has() made sure of; a view lasts until the next has().
    qint32 int32() { return take<qint32>(); }
    quint16 uint16() { return take<quint16>(); }
    QByteArrayView bytes(qint64 size) {
        QByteArrayView view = m_window.sliced(m_offset - m_windowStart, size);
        m_offset += size;
        return view;
    }
    void fail(const QString &error) { m_error = error; }
    const QString &error() const { return m_error; }

private:
    // As large as the longest text: larger blocks read no faster, and the memory they leave
    // behind would be counted against the quiz.
    static constexpr qint64 kBlock = 64 * 1024;

    template <typename T> T take() {
        const T value = qFromLittleEndian<T>(m_window.data() + (m_offset - m_windowStart));
        m_offset += sizeof(T);
        return value;
    }

    // Moves the unread bytes to the front of the buffer and reads the next block behind them.
    // A file that is shortened meanwhile ends where the reading ends.
    bool fill(qint64 size) {
        const qint64 unread = m_windowStart + m_window.size() - m_offset;
        const qint64 wanted = std::min(std::max(size, kBlock), left());
        if (wanted < size)
            return false;
        const char *unreadAt = m_window.data() + (m_offset - m_windowStart);
        if (m_buffer.size() < wanted) {
            QByteArray larger(wanted, Qt::Uninitialized);
            if (unread > 0)
                std::memcpy(larger.data(), unreadAt, unread);
            m_buffer.swap(larger);
        } else if (unread > 0) {
            std::memmove(m_buffer.data(), unreadAt, unread);
        }
        const qint64 got =
            std::max<qint64>(m_file->read(m_buffer.data() + unread, wanted - unread), 0);
        m_window = QByteArrayView(m_buffer.constData(), unread + got);
        m_windowStart = m_offset;
        if (unread + got < wanted)
            m_size = m_offset + unread + got;
        return unread + got >= size;
    }

    QIODevice *m_file = nullptr;
    QByteArray m_buffer;
    QByteArrayView m_window; // the bytes in memory, from m_windowStart on
    qint64 m_windowStart = 0;
    qint64 m_offset = 0;
    qint64 m_size = 0;
    QString m_error;
};

QString fieldLabel(int question, const QString &field) {
    return tr("問題 %1 の %2").arg(question).arg(field);
}

// The labels are only built on failure: reading is on the path of every load.
bool readNumber(Reader &in, int question, const char *field, qint32 &value) {
    if (!in.has(4))
        return in.failShort(4, fieldLabel(question, QString::fromLatin1(field)));
    value = in.int32();
    return true;
}

bool readText(Reader &in, Cp932Codec &codec, int question, QuizField field, QuizRecord *record,
              QList<qint64> &invalid) {
    if (!in.has(2))
        return in.failShort(2, fieldLabel(question, fieldName(field)) + tr(" の長さ"));
    const quint16 length = in.uint16();
    if (!in.has(length))
        return in.failShort(length, fieldLabel(question, fieldName(field)) +
                                        tr(" (%1 バイト)").arg(length));
    const qint64 start = in.offset();
    const QByteArrayView bytes = in.bytes(length);
    qsizetype bad = -1;
    if (!record) {
        bad = codec.firstInvalid(bytes);
    } else {
        QString &text = fieldText(*record, field);
        text = codec.decode(bytes, &bad);
        if (bad >= 0)
            record->kept.append({field, text, bytes.toByteArray()});
    }
    if (bad >= 0)
        invalid.append(start + bad);
    return true;
}

// Reads one record into record, or only checks it when record is null.
bool readRecord(Reader &in, Cp932Codec &codec, int question, QuizRecord *record,
                QList<qint64> &invalid) {
    qint32 number = 0, reportNumber = 0;
    if (!readNumber(in, question, "Number", number) ||
        !readNumber(in, question, "ReportNumber", reportNumber))
        return false;
    if (record) {
        record->number = number;
        record->reportNumber = reportNumber;
    }
    for (QuizField field : kQuizFields) {
        if (!readText(in, codec, question, field, record, invalid))
            return false;
    }
    return true;
}

bool readCount(Reader &in, qint32 &count) {
    if (!in.has(4))
        return in.failShort(4, tr("問題数"));
    count = in.int32();
    if (count < 1) {
        in.fail(tr("問題数 %1 は 1 以上でなければなりません").arg(count));
        return false;
    }
    if (count > in.left() / kMinRecordSize) {
        in.fail(tr("問題数 %1 はファイルの残り %2 バイトに収まりません (1 問に %3 バイト以上)")
                    .arg(count)
                    .arg(in.left())
                    .arg(kMinRecordSize));
        return false;
    }
    return true;
}

ReadResult failure(const Reader &in, qint64 offset) {
    ReadResult result;
    result.errorOffset = offset;
    result.error = tr("オフセット %1: %2").arg(offset).arg(in.error());
    result.failure = wholefile::Failure::Damaged;
    return result;
}

ReadResult parse(Reader &in, Mode mode) {
    qint32 count = 0;
    if (!readCount(in, count))
        return failure(in, 0);
    ReadResult result;
    if (mode == Mode::Load) {
        result.records.reserve(count); // exactly: resizing alone rounds up to a power of two
        result.records.resize(count);
    }
    Cp932Codec codec;
    for (int i = 0; i < count; ++i) {
        QuizRecord *record = mode == Mode::Load ? &result.records[i] : nullptr;
        if (!readRecord(in, codec, i + 1, record, result.invalidTextOffsets))
            return failure(in, in.offset());
    }
    result.ok = true;
    result.count = count;
    result.trailingBytes = in.left();
    return result;
}

} // namespace

ReadResult parse(QByteArrayView bytes, Mode mode) {
    Reader in(bytes);
    return parse(in, mode);
}

// Only a regular file is a quiz: a FIFO would block and a device would never end.
QString notAQuiz() {
    return tr("%1 はクイズファイルではありません");
}

ReadResult read(const QString &path, Mode mode) {
    ReadResult failed;
    QFile file;
    failed.error = wholefile::openRegular(path, file, notAQuiz(), &failed.failure);
    if (!failed.error.isEmpty())
        return failed;
    // Read, not mapped: a file that another program shortens meanwhile would fault a map.
    Reader in(file, file.size());
    ReadResult result = parse(in, mode);
    if (file.error() != QFileDevice::NoError) {
        failed.error = tr("%1 を読み取れません: %2").arg(path, file.errorString());
        failed.failure = wholefile::Failure::Unreadable;
        return failed;
    }
    return result;
}

wholefile::ReadResult readBytes(const QString &path) {
    return wholefile::read(path, notAQuiz());
}

namespace {

void appendInt32(QByteArray &out, qint32 value) {
    char le[4];
    qToLittleEndian(value, le);
    out.append(le, 4);
}

// Appends the length and bytes of one field, or explains why it cannot be stored. Bytes
// kept from reading go back as they were while the text is unchanged.
QString appendText(QByteArray &out, Cp932Codec &codec, const QuizRecord &record, QuizField field) {
    const qsizetype lengthAt = out.size();
    out.append("\0\0", 2);
    qsizetype length = 0;
    if (const QByteArray *kept = keptBytes(record, field)) {
        out.append(*kept);
        length = kept->size();
    } else {
        length = codec.appendEncoded(fieldText(record, field), out);
    }
    if (length < 0) {
        QList<char32_t> unmappable;
        QByteArray unused;
        codec.encode(fieldText(record, field), unused, &unmappable);
        return cp932::unmappableMessage(unmappable);
    }
    if (length > kMaxTextBytes)
        return tr("長すぎます (%1 バイト、最大 %2 バイト)").arg(length).arg(kMaxTextBytes);
    qToLittleEndian(static_cast<quint16>(length), out.data() + lengthAt);
    return {};
}

// Lists the fields that cannot be stored, a few at most: a message box cannot show hundreds.
class Problems {
public:
    void add(int question, QuizField field, const QString &problem) {
        if (m_count++ < kListed)
            m_lines.append(
                tr("問題 %1 の「%2」: %3").arg(question).arg(fieldCaption(field), problem));
    }
    bool isEmpty() const { return m_count == 0; }
    QString text() const {
        QStringList lines = m_lines;
        if (m_count > kListed)
            lines.append(tr("ほか %1 か所").arg(m_count - kListed));
        return lines.join(QLatin1Char('\n'));
    }

private:
    static constexpr int kListed = 10;
    QStringList m_lines;
    int m_count = 0;
};

} // namespace

QString tooManyQuestions(qint32 count) {
    return tr("問題が %1 問あります (クイズにできるのは %2 問までです)")
        .arg(count)
        .arg(quizrun::kMaxQuestionCount);
}

EncodeResult encode(qint32 count, const QList<QuizRecord> &table) {
    EncodeResult result;
    if (count > quizrun::kMaxQuestionCount) {
        result.error = tooManyQuestions(count);
        return result;
    }
    QByteArray &out = result.bytes;
    appendInt32(out, count);
    Cp932Codec codec;
    Problems problems;
    const QuizRecord empty;
    for (qint32 i = 0; i < count; ++i) {
        const QuizRecord &record = i < table.size() ? table[i] : empty;
        appendInt32(out, record.number);
        appendInt32(out, record.reportNumber);
        for (QuizField field : kQuizFields) {
            const QString problem = appendText(out, codec, record, field);
            if (problem.isEmpty())
                continue;
            if (problems.isEmpty()) {
                result.questionNumber = i + 1;
                result.field = field;
            }
            problems.add(i + 1, field, problem);
        }
    }
    if (!problems.isEmpty()) {
        result.bytes.clear();
        result.error = problems.text();
    }
    return result;
}

} // namespace quizfile
