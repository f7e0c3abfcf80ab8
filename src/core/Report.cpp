#include "Report.h"

#include "QuizState.h"

namespace report {
namespace {
const QString kCrLf = QStringLiteral("\r\n");

// The next CR LF at or after from, or -1; a search for the CR alone is much faster.
qsizetype nextCrLf(const QString &text, qsizetype from) {
    for (qsizetype cr; (cr = text.indexOf(QLatin1Char('\r'), from)) >= 0; from = cr + 1) {
        if (cr + 1 < text.size() && text[cr + 1] == QLatin1Char('\n'))
            return cr;
    }
    return -1;
}
} // namespace

Kind classify(const QString &answer) {
    if (answer >= QLatin1String("1") && answer <= QLatin1String("4"))
        return Kind::FourChoice;
    if (answer == QString::fromUtf8("○") || answer == QString::fromUtf8("×"))
        return Kind::TrueFalse;
    return Kind::Ignored;
}

namespace {
// Counts one question; returns whether the report lists it.
bool count(Kind kind, qint32 mark, Counts &counts) {
    ++(kind == Kind::FourChoice ? counts.fourChoiceQuestions : counts.trueFalseQuestions);
    if (mark == 1) {
        ++(kind == Kind::FourChoice ? counts.fourChoiceCorrect : counts.trueFalseCorrect);
        return false;
    }
    if (mark == 0)
        ++(kind == Kind::FourChoice ? counts.fourChoiceUnanswered : counts.trueFalseUnanswered);
    else if (mark == 2 && kind == Kind::TrueFalse)
        ++counts.trueFalseWrong;
    return true;
}
} // namespace

Outcome evaluate(const QuizState &state, const QString &section) {
    Outcome outcome;
    outcome.text = QString::fromUtf8("問題名:  ") + section + kCrLf;
    const qsizetype available = std::min({qsizetype(state.questionCount), state.questions.size(),
                                          state.answerMarks.size(), state.answerTexts.size()});
    for (qsizetype i = 0; i < available; ++i) {
        const QuizRecord &question = state.questions[i];
        const Kind kind = classify(question.answer);
        if (kind == Kind::Ignored || !count(kind, state.answerMarks[i], outcome.counts))
            continue;
        outcome.text += QString::fromUtf8("問題: ") + QString::number(question.reportNumber) +
                        QString::fromUtf8("    正解: ") + question.answer +
                        QString::fromUtf8("    回答: ") + state.answerTexts[i] + kCrLf +
                        question.keyPoint + kCrLf;
        outcome.listed.append(i);
    }
    return outcome;
}

namespace {
// Appends the line cut every n characters; an exact multiple ends in an empty row.
void appendRows(QString &result, QStringView line, int n) {
    const qsizetype rows = line.size() / n + 1;
    for (qsizetype k = 0; k < rows; ++k) {
        if (k > 0)
            result += kCrLf;
        result += line.mid(k * n, n);
    }
}
} // namespace

QString wrapReport(const QString &text, int maxWidth, int em, const Measure &measure) {
    static const QString entry = QString::fromUtf8("問題:");
    const int n = em > 0 && maxWidth / em > 0 ? maxWidth / em : 1;
    QString result;
    result.reserve(text.size() + text.size() / 8);
    QString entryLine; // reused: an entry's line behind its blank line
    qsizetype pos = 0;
    while (pos < text.size() - 1) {
        qsizetype end = nextCrLf(text, pos);
        if (end < 0)
            end = text.size(); // a last line without its CR LF
        // The line is looked at in place; only an entry's line is copied, behind its CR LF.
        QString line = QString::fromRawData(text.constData() + pos, end - pos);
        if (line.startsWith(entry)) {
            entryLine.resize(0);
            entryLine += kCrLf;
            entryLine += line;
            line = entryLine;
        }
        if (measure(line) <= maxWidth)
            result += line;
        else
            appendRows(result, line, n);
        result += kCrLf;
        pos = end + 2;
    }
    return result;
}

QList<qsizetype> lineStarts(const QString &text) {
    QList<qsizetype> starts{0};
    for (qsizetype end, from = 0; (end = nextCrLf(text, from)) >= 0; from = end + 2)
        starts.append(end + 2);
    return starts;
}

QStringList lines(const QString &text) {
    const QList<qsizetype> starts = lineStarts(text);
    QStringList list;
    list.reserve(starts.size());
    for (qsizetype i = 0; i < starts.size(); ++i)
        list.append(lineAt(text, starts, i).toString());
    return list;
}

QStringView lineAt(const QString &text, const QList<qsizetype> &starts, qsizetype i) {
    const qsizetype end = i + 1 < starts.size() ? starts[i + 1] - 2 : text.size();
    return QStringView(text).sliced(starts[i], end - starts[i]);
}

} // namespace report
