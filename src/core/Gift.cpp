#include "Gift.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace gift {
namespace {
using exchange::Kind;
using exchange::Question;

QString tr(const char *utf8) {
    return QString::fromUtf8(utf8);
}

const QString kSpecial = QStringLiteral("~=#{}:\\");

// Where the first of these characters stands that no backslash escapes, from from; -1 for none.
qsizetype findUnescaped(const QString &text, const QString &characters, qsizetype from = 0) {
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (characters.contains(text[i]))
            return i;
    }
    return -1;
}

qsizetype findUnescaped(const QString &text, QStringView sequence, qsizetype from) {
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (QStringView(text).mid(i).startsWith(sequence))
            return i;
    }
    return -1;
}

QString unescaped(const QString &text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            out += next == u'n' ? QStringLiteral("\r\n") : QString(next);
        } else {
            out += text[i];
        }
    }
    return out.trimmed();
}

QString asHtml(const QString &text, bool html) {
    return html ? text : text.toHtmlEscaped();
}

// The text of a question file as lines of questions: comments left out, a blank line between
// questions, $CATEGORY lines passed over.
QList<QStringList> questionLines(const QString &text) {
    QList<QStringList> chunks{{}};
    for (const QString &line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("//")) ||
            trimmed.startsWith(QLatin1String("$CATEGORY:")))
            continue;
        if (trimmed.isEmpty()) {
            if (!chunks.constLast().isEmpty())
                chunks.append(QStringList());
            continue;
        }
        chunks.last().append(QString(line).remove(u'\r'));
    }
    if (chunks.constLast().isEmpty())
        chunks.removeLast();
    return chunks;
}

// One answer of a multiple-choice block: "=text" or "~%50%text", its feedback after "#".
struct Answer {
    bool marked = false; // "="
    double weight = 0;   // ~%n%
    QString text;
};

std::optional<QString> readAnswers(const QString &block, bool html, Question &q) {
    QList<Answer> answers;
    qsizetype at = findUnescaped(block, QStringLiteral("=~"));
    if (at < 0 || !block.left(at).trimmed().isEmpty())
        return tr("読み込めない種類の問題です");
    while (at >= 0 && at < block.size()) {
        const qsizetype next = findUnescaped(block, QStringLiteral("=~"), at + 1);
        QString text = block.mid(at + 1, next < 0 ? -1 : next - at - 1);
        Answer a{block[at] == u'=', 0, {}};
        static const QRegularExpression weight(QStringLiteral(R"(^\s*%(-?[0-9.]+)%)"));
        if (const QRegularExpressionMatch m = weight.match(text); m.hasMatch()) {
            a.weight = m.captured(1).toDouble();
            text.remove(0, m.capturedLength());
        }
        static const QRegularExpression format(
            QStringLiteral(R"(^\s*\[(html|moodle|plain|markdown)\])"));
        text.remove(format);
        const qsizetype feedback = findUnescaped(text, QStringLiteral("#"));
        if (findUnescaped(text, u"->", 0) >= 0)
            return tr("組み合わせ問題は読み込めません");
        a.text = asHtml(unescaped(feedback < 0 ? text : text.left(feedback)), html);
        answers.append(a);
        at = next;
    }
    if (std::all_of(answers.cbegin(), answers.cend(), [](const Answer &a) { return a.marked; }))
        return tr("短答の問題は読み込めません");
    int right = -1;
    for (int i = 0; i < answers.size(); ++i) {
        if (!answers[i].marked && answers[i].weight <= 0)
            continue;
        if (right >= 0 || (!answers[i].marked && answers[i].weight < 100))
            return tr("正解が一つではありません");
        right = i;
    }
    if (right < 0 || answers.size() < 2)
        return tr("選択肢から選ぶ問題ではありません");
    if (answers.size() > 4)
        return tr("答えが %1 個あります (最大 4 個)").arg(answers.size());
    q.right = right;
    for (const Answer &a : answers)
        q.answers.append(a.text);
    return std::nullopt;
}

// The answer block without its braces; why the question is left out, or none.
std::optional<QString> readBlock(QString block, bool html, Question &q) {
    const qsizetype general = findUnescaped(block, u"####", 0);
    if (general >= 0) {
        q.feedback = exchange::plainText(unescaped(block.mid(general + 4)));
        block.truncate(general);
    }
    static const QRegularExpression trueFalse(QStringLiteral(R"(^\s*(TRUE|FALSE|T|F)\s*(#.*)?$)"),
                                              QRegularExpression::DotMatchesEverythingOption);
    if (const QRegularExpressionMatch m = trueFalse.match(block); m.hasMatch()) {
        q.kind = Kind::TrueFalse;
        q.right = m.captured(1).startsWith(u'T') ? 0 : 1;
        return std::nullopt;
    }
    if (block.trimmed().isEmpty())
        return tr("記述式の問題は読み込めません");
    if (block.trimmed().startsWith(u'#'))
        return tr("数値の問題は読み込めません");
    return readAnswers(block, html, q);
}

// One question's lines as ours; why it is left out, or none.
std::optional<QString> readQuestion(const QString &source, Question &q) {
    QString text = source;
    if (text.startsWith(QLatin1String("::"))) {
        const qsizetype end = findUnescaped(text, u"::", 2);
        if (end < 0)
            return tr("題名が閉じていません");
        q.title = unescaped(text.mid(2, end - 2));
        text = text.mid(end + 2).trimmed();
    }
    static const QRegularExpression format(QStringLiteral(R"(^\[(html|moodle|plain|markdown)\])"));
    const QRegularExpressionMatch f = format.match(text);
    const bool html = f.captured(1) == QLatin1String("html");
    text.remove(0, f.capturedLength());
    const qsizetype open = findUnescaped(text, QStringLiteral("{"));
    if (open < 0)
        return tr("答えのない説明です");
    const qsizetype close = findUnescaped(text, QStringLiteral("}"), open + 1);
    if (close < 0)
        return tr("{ } が閉じていません");
    const QString after = unescaped(text.mid(close + 1));
    q.text = asHtml(unescaped(text.left(open)) +
                        (after.isEmpty() ? QString() : QString::fromUtf8("＿＿＿") + after),
                    html);
    return readBlock(text.mid(open + 1, close - open - 1), html, q);
}

void writeQuestion(QString &out, const Question &q) {
    out += QStringLiteral("::%1::[html]%2{\n").arg(escaped(q.title), escaped(q.text));
    if (q.kind == Kind::TrueFalse) {
        out += q.right == 0 ? QStringLiteral("TRUE\n") : QStringLiteral("FALSE\n");
    } else {
        for (qsizetype i = 0; i < q.answers.size(); ++i)
            out += (i == q.right ? u'=' : u'~') + escaped(q.answers[i]) + u'\n';
    }
    if (!q.feedback.isEmpty())
        out += QStringLiteral("####") + escaped(q.feedback.toHtmlEscaped()) + u'\n';
    out += QStringLiteral("}\n\n");
}
} // namespace

QString escaped(const QString &text) {
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += QLatin1String("\\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            continue;
        }
        if (kSpecial.contains(c))
            out += u'\\';
        out += c;
    }
    return out;
}

QByteArray write(const QList<Question> &questions) {
    QString out = QStringLiteral("// Tessellar\n\n");
    for (const Question &q : questions)
        writeQuestion(out, q);
    return out.toUtf8();
}

ReadResult read(QByteArrayView bytes) {
    ReadResult result;
    if (bytes.size() > kMaxFileBytes) {
        result.error = tr("大きすぎます (最大 %1 MB)").arg(kMaxFileBytes / 1024 / 1024);
        return result;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        result.error = tr("UTF-8 のテキストではありません");
        return result;
    }
    int position = 0;
    for (const QStringList &lines : questionLines(text)) {
        Question q;
        const std::optional<QString> why = readQuestion(lines.join(u'\n').trimmed(), q);
        ++position;
        if (why)
            result.skipped.append(tr("%1 番目の問題: %2").arg(position).arg(*why));
        else
            result.questions.append(q);
    }
    return result;
}

} // namespace gift
