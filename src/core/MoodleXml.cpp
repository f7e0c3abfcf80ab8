#include "MoodleXml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace moodlexml {
namespace {
using exchange::Kind;
using exchange::Question;

QString tr(const char *utf8) {
    return QString::fromUtf8(utf8);
}

void writeText(QXmlStreamWriter &xml, const char *element, const char *format,
               const QString &text) {
    xml.writeStartElement(QLatin1String(element));
    xml.writeAttribute(QStringLiteral("format"), QLatin1String(format));
    xml.writeTextElement(QStringLiteral("text"), text);
}

void writeAnswer(QXmlStreamWriter &xml, const QString &text, bool right) {
    xml.writeStartElement(QStringLiteral("answer"));
    xml.writeAttribute(QStringLiteral("fraction"),
                       right ? QStringLiteral("100") : QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
    xml.writeTextElement(QStringLiteral("text"), text);
    writeText(xml, "feedback", "html", QString());
    xml.writeEndElement(); // feedback
    xml.writeEndElement(); // answer
}

void writeQuestion(QXmlStreamWriter &xml, const Question &q) {
    const bool trueFalse = q.kind == Kind::TrueFalse;
    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"),
                       trueFalse ? QStringLiteral("truefalse") : QStringLiteral("multichoice"));
    xml.writeStartElement(QStringLiteral("name"));
    xml.writeTextElement(QStringLiteral("text"), q.title);
    xml.writeEndElement();
    writeText(xml, "questiontext", "html", q.text);
    for (const exchange::Picture &p : q.pictures) {
        const qsizetype slash = p.name.lastIndexOf(u'/');
        xml.writeStartElement(QStringLiteral("file"));
        xml.writeAttribute(QStringLiteral("name"), p.name.mid(slash + 1));
        xml.writeAttribute(QStringLiteral("path"), u'/' + p.name.left(slash + 1));
        xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
        xml.writeCharacters(QString::fromLatin1(p.bytes.toBase64()));
        xml.writeEndElement();
    }
    xml.writeEndElement(); // questiontext
    writeText(xml, "generalfeedback", "plain_text", q.feedback);
    xml.writeEndElement();
    xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
    if (trueFalse) {
        writeAnswer(xml, QStringLiteral("true"), q.right == 0);
        writeAnswer(xml, QStringLiteral("false"), q.right == 1);
    } else {
        xml.writeTextElement(QStringLiteral("single"), QStringLiteral("true"));
        xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("123"));
        for (qsizetype i = 0; i < q.answers.size(); ++i)
            writeAnswer(xml, q.answers[i], i == q.right);
    }
    xml.writeEndElement(); // question
}

// A question as read, before it is known to be one we take.
struct Read {
    QString type;
    Question question;
    QList<std::pair<double, QString>> answers; // fraction, text
    bool single = true;
};

// Text in a plain format is shown as it is, not as mark-up.
QString asHtml(const QString &text, const QString &format) {
    return format == QLatin1String("plain_text") || format == QLatin1String("markdown")
               ? text.toHtmlEscaped()
               : text;
}

class Reader {
public:
    explicit Reader(QByteArrayView bytes) : m_xml(bytes.toByteArray()) {}
    ReadResult read();

private:
    QXmlStreamReader m_xml;
    ReadResult m_result;

    bool nextStart() {
        while (m_xml.readNextStartElement())
            return true;
        return false;
    }
    QString textChild(QString *format = nullptr, QList<exchange::Picture> *files = nullptr);
    exchange::Picture picture(const QString &name, const QString &path);
    void readQuestion(Read &r);
    void take(Read &r, int position);
};

// <text> inside the element now open, to its end; its format attribute and its embedded
// files when asked.
QString Reader::textChild(QString *format, QList<exchange::Picture> *files) {
    if (format)
        *format = m_xml.attributes().value(QStringLiteral("format")).toString();
    QString text;
    while (nextStart()) {
        if (m_xml.name() == QLatin1String("text")) {
            text = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (files && m_xml.name() == QLatin1String("file")) {
            const QXmlStreamAttributes a = m_xml.attributes();
            files->append(picture(a.value(QStringLiteral("name")).toString(),
                                  a.value(QStringLiteral("path")).toString()));
        } else {
            m_xml.skipCurrentElement();
        }
    }
    return text;
}

exchange::Picture Reader::picture(const QString &name, const QString &path) {
    const QString base64 = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
    exchange::Picture p;
    p.name = path + u'/' + name; // "/name" without a path, "/img/name" with one
    while (p.name.startsWith(u'/'))
        p.name.remove(0, 1);
    if (base64.size() / 4 * 3 <= kMaxPictureBytes)
        p.bytes = QByteArray::fromBase64(base64.toLatin1());
    return p;
}

void Reader::readQuestion(Read &r) {
    QString oldPictureName;
    QList<exchange::Picture> answerFiles; // shown in the choices, after the question's own
    while (nextStart()) {
        const QStringView name = m_xml.name();
        QString format;
        if (name == QLatin1String("name")) {
            r.question.title = textChild();
        } else if (name == QLatin1String("questiontext")) {
            const QString text = textChild(&format, &r.question.pictures);
            r.question.text = asHtml(text, format);
        } else if (name == QLatin1String("generalfeedback")) {
            const QString text = textChild(&format);
            r.question.feedback =
                format == QLatin1String("plain_text") ? text : exchange::plainText(text);
        } else if (name == QLatin1String("single")) {
            const QString single = m_xml.readElementText().trimmed();
            r.single = single != QLatin1String("false") && single != QLatin1String("0");
        } else if (name == QLatin1String("answer")) {
            const double fraction = m_xml.attributes().value(QStringLiteral("fraction")).toDouble();
            const QString text = textChild(&format, &answerFiles);
            r.answers.append({fraction, asHtml(text.trimmed(), format)});
        } else if (name == QLatin1String("image")) { // the format of Moodle 1.9
            oldPictureName = m_xml.readElementText();
        } else if (name == QLatin1String("image_base64")) {
            r.question.pictures.append(picture(oldPictureName, QString()));
        } else {
            m_xml.skipCurrentElement();
        }
    }
    r.question.answerFiles = answerFiles;
}

// The question as ours, or in the list of those left out.
void Reader::take(Read &r, int position) {
    const auto skip = [&](const QString &why) {
        m_result.skipped.append(tr("%1 番目の問題 (%2): %3").arg(position).arg(r.type, why));
    };
    const bool trueFalse = r.type == QLatin1String("truefalse");
    if (!trueFalse && r.type != QLatin1String("multichoice"))
        return skip(tr("読み込めない種類の問題です"));
    int right = -1;
    for (qsizetype i = 0; i < r.answers.size(); ++i) {
        if (r.answers[i].first <= 0)
            continue;
        if (right >= 0 || r.answers[i].first < 100)
            return skip(tr("正解が一つではありません"));
        right = int(i);
    }
    if (right < 0)
        return skip(tr("正解がありません"));
    Question &q = r.question;
    if (trueFalse) {
        q.kind = Kind::TrueFalse;
        q.right = r.answers[right].second.trimmed().compare(QLatin1String("true"),
                                                            Qt::CaseInsensitive) == 0
                      ? 0
                      : 1;
    } else if (!r.single || r.answers.size() > 4) {
        return skip(r.single ? tr("答えが %1 個あります (最大 4 個)").arg(r.answers.size())
                             : tr("答えを複数選ぶ問題です"));
    } else {
        q.right = right;
        for (const auto &answer : r.answers)
            q.answers.append(answer.second);
    }
    m_result.questions.append(q);
}

ReadResult Reader::read() {
    while (!m_xml.atEnd() && !m_xml.hasError()) {
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            m_result.error = tr("DTD を含む XML は読み込みません");
            return m_result;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (m_xml.name() != QLatin1String("quiz")) {
            m_result.error = tr("Moodle XML (<quiz>) ではありません");
            return m_result;
        }
        int position = 0;
        while (nextStart()) {
            if (m_xml.name() != QLatin1String("question")) {
                m_xml.skipCurrentElement();
                continue;
            }
            Read r;
            r.type = m_xml.attributes().value(QStringLiteral("type")).toString();
            readQuestion(r);
            if (r.type != QLatin1String("category"))
                take(r, ++position);
        }
    }
    if (m_xml.hasError()) {
        m_result.questions.clear();
        m_result.error = tr("XML として読めません (%1 行目): %2")
                             .arg(m_xml.lineNumber())
                             .arg(m_xml.errorString());
    }
    return m_result;
}
} // namespace

QByteArray write(const QList<Question> &questions) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("quiz"));
    for (const Question &q : questions)
        writeQuestion(xml, q);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

ReadResult read(QByteArrayView bytes) {
    if (bytes.size() > kMaxFileBytes)
        return {{}, {}, tr("大きすぎます (最大 %1 MB)").arg(kMaxFileBytes / 1024 / 1024)};
    return Reader(bytes).read();
}

} // namespace moodlexml
