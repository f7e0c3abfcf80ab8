// Fuzz target for the whole reading path. Any bytes, written to a file and loaded as the
// program loads a quiz, must load or fail cleanly; a quiz that loads without bad text must
// write back and load again to the same questions. What loads goes on through the pages, the
// number parsing and the results report, as a quiz run would take it.
#include "HtmlPage.h"
#include "Numbers.h"
#include "QuizFile.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "Report.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

// One quiz file for the whole run, in a folder under TMPDIR (scripts/fuzz.sh picks a tmpfs).
const QString &quizPath() {
    static const QTemporaryDir folder;
    static const QString path = folder.filePath(QStringLiteral("quiz.tsl"));
    return path;
}

void writeQuizFile(QByteArrayView bytes) {
    QFile file(quizPath());
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
          file.write(bytes.data(), bytes.size()) == bytes.size());
}

// The input read backwards from its end, round and round. These bytes choose the answers
// given and the report's widths; a quiz file ignores bytes after its last record, so the
// fuzzer can vary them there without breaking the quiz.
class Tail {
public:
    explicit Tail(QByteArrayView bytes) : m_bytes(bytes) {}
    quint8 next() {
        const qsizetype n = m_bytes.size();
        return n == 0 ? 0 : static_cast<quint8>(m_bytes[n - 1 - m_taken++ % n]);
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_taken = 0;
};

bool sameQuiz(const QuizState &a, const QuizState &b) {
    return a.questionCount == b.questionCount && a.questions == b.questions &&
           a.answerMarks == b.answerMarks && a.answerTexts == b.answerTexts;
}

// A state with a quiz already loaded and answered, which a failed load must leave alone.
QuizState answeredState() {
    QuizState state;
    state.prepareStart(QStringLiteral("/quizzes"));
    QuizRecord record;
    record.number = record.reportNumber = 7;
    record.question = QStringLiteral("q");
    record.choices = QStringLiteral("c");
    record.answer = QStringLiteral("1");
    record.keyPoint = QStringLiteral("k");
    state.replaceQuiz({record});
    state.answerMarks[0] = quizrun::kCorrect;
    state.answerTexts[0] = QStringLiteral("1");
    return state;
}

// Loads the bytes as a quiz file into state, as the program opens one.
quizfile::ReadResult load(QByteArrayView bytes, QuizState &state) {
    writeQuizFile(bytes);
    const QuizState before = state;
    const quizfile::ReadResult read = state.loadQuizFile(quizPath());
    if (!read.ok) {
        check(!read.error.isEmpty() && read.errorOffset >= 0 && read.errorOffset <= bytes.size());
        check(sameQuiz(state, before));
        return read;
    }
    check(!read.records.isEmpty() && read.trailingBytes >= 0 && read.trailingBytes <= bytes.size());
    check(state.questions == read.records && state.questionCount == read.records.size());
    check(state.answerMarks == QList<qint32>(read.records.size(), quizrun::kUnanswered));
    check(state.answerTexts == QStringList(QList<QString>(read.records.size())));
    return read;
}

void checkRoundTrip(const QList<QuizRecord> &records) {
    const quizfile::EncodeResult written =
        quizfile::encode(static_cast<qint32>(records.size()), records);
    check(written.ok());
    QuizState again;
    writeQuizFile(written.bytes);
    check(again.loadQuizFile(quizPath()).ok && again.questions == records);
}

// Every "PathName" becomes the folder, which holds the word itself and must not be rescanned.
void checkPages(const QuizRecord &question) {
    static const QString folder = QStringLiteral("/quizzes/PathName");
    static const QString word = QStringLiteral("PathName");
    static const qsizetype wrapper = MakeHtmlPage(QString(), folder).size();
    for (const QString *fragment : {&question.question, &question.choices}) {
        const QString page = MakeHtmlPage(*fragment, folder);
        const qsizetype words = fragment->count(word, Qt::CaseInsensitive);
        check(page.size() == fragment->size() + words * (folder.size() - word.size()) + wrapper);
    }
}

void checkNumbers(const QuizRecord &question) {
    for (const qint32 n : {question.number, question.reportNumber}) {
        const QString text = QString::number(n);
        double decimal = 0;
        check(parseDecimal(text, decimal) && decimal == n);
        const WholeNumber whole = toInt32(text);
        check(whole.ok() && whole.value == n);
        check(toInt16(text).ok() == (n >= INT16_MIN && n <= INT16_MAX));
    }
    // An answer is free text: every parser must take it, and the narrower ranges agree.
    double decimal = 0;
    const bool parsed = parseDecimal(question.answer, decimal);
    const WholeNumber widest = toWholeNumber(question.answer, std::numeric_limits<qint64>::min(),
                                             std::numeric_limits<qint64>::max());
    check(parsed == (widest.error != errors::kTypeMismatch));
    const WholeNumber int32 = toInt32(question.answer);
    const WholeNumber int16 = toInt16(question.answer);
    check(!int32.ok() || (widest.ok() && widest.value == int32.value));
    check(!int16.ok() || (int32.ok() && int32.value == int16.value));
}

// Like the report's fixed-pitch font: half-width characters half an em, others a whole em.
int fixedPitchWidth(const QString &line, int em) {
    qint64 halves = 0;
    for (const QChar c : line)
        halves += c.unicode() < 0x80 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) ? 1 : 2;
    return static_cast<int>(halves * em / 2);
}

QString withoutLineBreaks(QString text) {
    return text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
}

// Answers every question from the input's tail, then counts, reports and wraps the run.
void checkReport(QuizState &state, Tail &tail) {
    const QStringList offered = quizrun::answerChoices();
    for (qsizetype i = 0; i < state.questions.size(); ++i) {
        const quint8 b = tail.next();
        const qsizetype pick = b % (offered.size() + 2); // an offered answer, the correct one, none
        state.answerTexts[i] = pick < offered.size()    ? offered[pick]
                               : pick == offered.size() ? state.questions[i].answer
                                                        : QString();
        state.answerMarks[i] = (b >> 4) % 4; // unanswered, correct, wrong, and a stray value
    }
    const report::Outcome outcome = report::evaluate(state, QStringLiteral("section"));
    const report::Counts &c = outcome.counts;
    check(c.fourChoiceCorrect >= 0 && c.trueFalseCorrect >= 0 && c.trueFalseWrong >= 0);
    check(c.totalCorrect() + c.unanswered() + c.trueFalseWrong <= state.questionCount);

    const int em = tail.next();
    const int maxWidth = static_cast<qint8>(tail.next()) * int(tail.next()); // often 0 or tiny
    const QString wrapped =
        report::wrapReport(outcome.text, maxWidth, em,
                           [em](const QString &line) { return fixedPitchWidth(line, em); });
    check(withoutLineBreaks(wrapped) == withoutLineBreaks(outcome.text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QuizState state = answeredState();
    const quizfile::ReadResult read = load(bytes, state);
    if (!read.ok)
        return 0;
    checkRoundTrip(read.records);
    for (const QuizRecord &question : std::as_const(state.questions)) {
        checkPages(question);
        checkNumbers(question);
    }
    Tail tail(bytes);
    checkReport(state, tail);
    return 0;
}
