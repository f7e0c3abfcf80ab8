#include "Exchange.h"

#include "Cp932.h"
#include "QuizFile.h"
#include "QuizRun.h"
#include "Sections.h"
#include "WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace exchange {
namespace {
constexpr qint64 kMaxPictureBytes = 16 * 1024 * 1024;
const QString kChoicesOpen = QStringLiteral("<div class=\"tessellar-choices\">");
const QString kChoicesClose = QStringLiteral("</div>");
const QStringList kFourAnswers{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                               QStringLiteral("4")};

QString tr(const char *utf8) {
    return QString::fromUtf8(utf8);
}

QRegularExpression pattern(const QString &source) {
    return QRegularExpression(source, QRegularExpression::CaseInsensitiveOption |
                                          QRegularExpression::DotMatchesEverythingOption);
}

// <OL><LI>a<LI>b...</OL>, end tags and attributes allowed.
std::optional<QStringList> listItems(const QString &html) {
    static const QRegularExpression list =
        pattern(QStringLiteral(R"(^\s*<ol\b[^>]*>(.*)</ol>\s*$)"));
    static const QRegularExpression item = pattern(QStringLiteral(R"(<li\b[^>]*>)"));
    static const QRegularExpression itemEnd = pattern(QStringLiteral(R"(\s*</li>\s*$)"));
    const QRegularExpressionMatch m = list.match(html);
    if (!m.hasMatch())
        return std::nullopt;
    QStringList parts = m.captured(1).split(item);
    if (!parts.takeFirst().trimmed().isEmpty())
        return std::nullopt;
    for (QString &part : parts)
        part = part.remove(itemEnd).trimmed();
    return parts;
}

// Four lines (between <BR> or line breaks, in one paragraph or none), each perhaps numbered
// 1 to 4 in order.
std::optional<QStringList> lineItems(const QString &html) {
    static const QRegularExpression paragraph =
        pattern(QStringLiteral(R"(^\s*(?:<p\b[^>]*>)?(.*?)(?:</p>)?\s*$)"));
    static const QRegularExpression lineBreak = pattern(QStringLiteral(R"(<br\s*/?>|\r\n|\n)"));
    QStringList lines = paragraph.match(html).captured(1).split(lineBreak);
    lines.removeIf([](const QString &line) { return line.trimmed().isEmpty(); });
    if (lines.size() != 4)
        return std::nullopt;
    for (int i = 0; i < 4; ++i) {
        const QRegularExpression number(QStringLiteral(R"(^\s*(?:[(（]?[%1%2][)）.．、]|%3)\s*)")
                                            .arg(QChar(u'1' + i))
                                            .arg(QChar(0xFF11 + i))
                                            .arg(QChar(0x2460 + i)));
        lines[i] = lines[i].remove(number).trimmed();
    }
    return lines;
}

void addPicture(Question &q, const QuizRecord &r, const QString &quizFolder, bool withPictures,
                Outgoing &out) {
    const QString name = QString(r.imageFile).replace(u'\\', u'/');
    if (!withPictures) {
        q.text += pictureTag(QString(), name);
        return;
    }
    const QString path = sections::picturePath(quizFolder, r.imageFile);
    const wholefile::ReadResult file = QFileInfo(path).size() > kMaxPictureBytes
                                           ? wholefile::ReadResult{{}, tr("大きすぎます")}
                                           : wholefile::read(path);
    if (!file.ok()) {
        out.notes.append(tr("問題 %1: 画像 %2 を読めないため入れません (%3)")
                             .arg(r.reportNumber)
                             .arg(r.imageFile, file.error));
        return;
    }
    q.pictures.append({name, file.bytes});
    q.text += pictureTag(kMoodleFiles, name);
}

// The text as a quiz file holds it, or why it cannot be.
QString unfit(Cp932Codec &codec, const QString &text) {
    QByteArray bytes;
    QList<char32_t> unmappable;
    if (!codec.encode(text, bytes, &unmappable))
        return cp932::unmappableMessage(unmappable);
    if (bytes.size() > quizfile::kMaxTextBytes)
        return tr("長すぎます (%1 バイト、最大 %2 バイト)")
            .arg(bytes.size())
            .arg(quizfile::kMaxTextBytes);
    return {};
}

// The picture named by the tag at the end of the text, taken off it.
QString takePictureTag(QString &text) {
    static const QRegularExpression tag(QStringLiteral(R"re(<img src="([^"<>]*)" alt="">$)re"));
    const QRegularExpressionMatch m = tag.match(text);
    if (!m.hasMatch())
        return {};
    text.chop(m.capturedLength());
    return QUrl::fromPercentEncoding(m.captured(1).toUtf8());
}

// The choices that travelled in the block at the end of the text, taken off it.
std::optional<QString> takeChoicesBlock(QString &text) {
    if (!text.endsWith(kChoicesClose))
        return std::nullopt;
    const qsizetype open = text.lastIndexOf(kChoicesOpen);
    if (open < 0)
        return std::nullopt;
    const qsizetype from = open + kChoicesOpen.size();
    const QString choices = text.mid(from, text.size() - kChoicesClose.size() - from);
    text.truncate(open);
    return choices;
}

QuizRecord recordOf(const Question &q, qsizetype index, Incoming &in) {
    QuizRecord r;
    r.question = QString(q.text).replace(kMoodleFiles, QString());
    QString picture = takePictureTag(r.question);
    const std::optional<QString> carried = takeChoicesBlock(r.question);
    if (q.kind == Kind::TrueFalse) {
        r.answer = q.right == 0 ? tr("○") : tr("×");
        r.choices = carried.value_or(tr("<P>正しければ ○，誤りなら × を答えなさい。</P>"));
    } else {
        r.answer = QString::number(q.right + 1);
        r.choices = carried && q.answers == kFourAnswers.first(q.answers.size())
                        ? *carried
                        : joinChoices(q.answers);
    }
    r.keyPoint = q.feedback;
    const bool tagged = !picture.isEmpty();
    for (const Picture &p : q.pictures + q.answerFiles) {
        const QString safe = safePictureName(p.name);
        if (safe.isEmpty() || p.bytes.isEmpty()) {
            in.notes.append(
                tr("%1 問目: ファイル %2 は画像として入れません").arg(index + 1).arg(p.name));
            continue;
        }
        in.pictures.append({safe, p.bytes, index});
        const bool shownInText = r.question.contains(
            u'"' + QString::fromUtf8(QUrl::toPercentEncoding(safe, "/")) + u'"');
        const bool own = q.pictures.contains(p);
        if (own && (tagged ? picture == p.name : picture.isEmpty() && !shownInText))
            picture = safe;
    }
    r.imageFile = safePictureName(picture);
    for (const QuizField field : kQuizFields)
        fieldText(r, field) = withCrLf(fieldText(r, field));
    return r;
}
} // namespace

QString choicesBlock(const QString &choices) {
    return kChoicesOpen + choices + kChoicesClose;
}

QString pictureTag(const QString &prefix, const QString &name) {
    return QStringLiteral("<img src=\"%1%2\" alt=\"\">")
        .arg(prefix, QString::fromUtf8(QUrl::toPercentEncoding(name, "/")));
}

std::optional<QStringList> splitChoices(const QString &html) {
    std::optional<QStringList> items = listItems(html);
    if (!items)
        items = lineItems(html);
    if (!items || items->size() != 4 ||
        std::any_of(items->cbegin(), items->cend(), [](const QString &i) { return i.isEmpty(); }))
        return std::nullopt;
    return items;
}

QString joinChoices(const QStringList &items) {
    return QStringLiteral("<OL><LI>") + items.join(QStringLiteral("<LI>")) +
           QStringLiteral("</OL>");
}

Outgoing toPlatform(const QList<QuizRecord> &quiz, const QString &section,
                    const QString &quizFolder, bool withPictures) {
    Outgoing out;
    for (const QuizRecord &r : quiz) {
        Question q;
        q.title = QStringLiteral("%1 %2").arg(section).arg(r.reportNumber);
        q.text = r.question;
        q.feedback = r.keyPoint;
        const qsizetype four = kFourAnswers.indexOf(r.answer);
        if (r.answer == tr("○") || r.answer == tr("×")) {
            q.kind = Kind::TrueFalse;
            q.right = r.answer == tr("○") ? 0 : 1;
            q.text += choicesBlock(r.choices);
        } else if (four >= 0) {
            q.right = int(four);
            const std::optional<QStringList> items = splitChoices(r.choices);
            q.answers = items.value_or(kFourAnswers);
            if (!items) {
                q.text += choicesBlock(r.choices);
                ++out.choicesInText;
            }
        } else {
            out.notes.append(tr("問題 %1: 正解「%2」は 1～4 でも ○・× でもないため書き出しません")
                                 .arg(r.reportNumber)
                                 .arg(r.answer));
            continue;
        }
        if (!r.imageFile.isEmpty())
            addPicture(q, r, quizFolder, withPictures, out);
        out.questions.append(q);
    }
    return out;
}

Incoming fromPlatform(const QList<Question> &questions) {
    Incoming in;
    if (questions.isEmpty()) {
        in.error = tr("読み込める問題がありません");
        return in;
    }
    if (questions.size() > quizrun::kMaxQuestionCount) {
        in.error = tr("問題が %1 問あります (最大 %2 問)")
                       .arg(questions.size())
                       .arg(quizrun::kMaxQuestionCount);
        return in;
    }
    Cp932Codec codec;
    for (qsizetype i = 0; i < questions.size(); ++i) {
        QuizRecord r = recordOf(questions[i], i, in);
        r.number = r.reportNumber = qint32(i + 1);
        for (const QuizField field : kQuizFields) {
            const QString problem = unfit(codec, fieldText(r, field));
            if (!problem.isEmpty()) {
                in.error = tr("%1 問目 (%2): %3").arg(i + 1).arg(fieldCaption(field), problem);
                in.quiz.clear();
                in.pictures.clear();
                return in;
            }
        }
        in.quiz.append(r);
    }
    return in;
}

QString plainText(const QString &html) {
    static const QRegularExpression lineBreak = pattern(QStringLiteral(R"(<br\s*/?>|</p>|</div>)"));
    static const QRegularExpression tag = pattern(QStringLiteral(R"(<[^>]*>)"));
    static const QRegularExpression reference(QStringLiteral(R"(&(#x?[0-9a-fA-F]+|[a-z]+);)"));
    QString text = QString(html).replace(lineBreak, QStringLiteral("\n")).remove(tag);
    QString out;
    qsizetype at = 0;
    for (auto m = reference.globalMatch(text); m.hasNext();) {
        const QRegularExpressionMatch r = m.next();
        out += text.mid(at, r.capturedStart() - at);
        const QString name = r.captured(1);
        static const QHash<QString, QString> named{{QStringLiteral("amp"), QStringLiteral("&")},
                                                   {QStringLiteral("lt"), QStringLiteral("<")},
                                                   {QStringLiteral("gt"), QStringLiteral(">")},
                                                   {QStringLiteral("quot"), QStringLiteral("\"")},
                                                   {QStringLiteral("apos"), QStringLiteral("'")},
                                                   {QStringLiteral("nbsp"), QStringLiteral(" ")}};
        bool ok = false;
        const uint code = name.startsWith(u'#')
                              ? (name.startsWith(QLatin1String("#x")) ? name.mid(2).toUInt(&ok, 16)
                                                                      : name.mid(1).toUInt(&ok, 10))
                              : 0;
        out += ok && code > 0 && code <= 0x10FFFF
                   ? QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1)
                   : named.value(name, r.captured(0));
        at = r.capturedEnd();
    }
    out += text.mid(at);
    return out.trimmed();
}

QString safePictureName(const QString &name) {
    static const QStringList pictureTypes{QStringLiteral("gif"), QStringLiteral("png"),
                                          QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                          QStringLiteral("bmp"), QStringLiteral("webp")};
    QStringList parts;
    for (QString part : QString(name).replace(u'\\', u'/').split(u'/')) {
        part.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
        if (!part.isEmpty() && !part.startsWith(u'.') && part.size() <= 100)
            parts.append(part);
    }
    const QString safe = parts.join(u'/');
    return pictureTypes.contains(QFileInfo(safe).suffix().toLower()) ? safe : QString();
}

namespace {
// A name in the folder no file has yet: name_2.gif, name_3.gif, ...
QString freeName(const QDir &folder, const QString &name) {
    const QFileInfo info(name);
    const QString stem = info.path() == QLatin1String(".")
                             ? info.completeBaseName()
                             : info.path() + u'/' + info.completeBaseName();
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1_%2.%3").arg(stem).arg(n).arg(info.suffix());
        if (!QFileInfo::exists(folder.filePath(candidate)))
            return candidate;
    }
}

// The folder the path is in lies inside the quiz folder once links are followed.
bool staysInside(const QDir &folder, const QString &path) {
    const QString root = folder.canonicalPath();
    const QString parent = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    return !root.isEmpty() && (parent == root || parent.startsWith(root + u'/'));
}
} // namespace

QString writePictures(const QString &quizFolder, QList<Picture> &pictures,
                      QList<QuizRecord> &quiz) {
    const QDir folder(quizFolder);
    for (Picture &p : pictures) {
        const QString original = p.name;
        QString path = folder.filePath(p.name);
        if (QFileInfo::exists(path)) {
            const wholefile::ReadResult there = wholefile::read(path);
            if (there.ok() && there.bytes == p.bytes)
                continue; // this very picture: used as it is
            p.name = freeName(folder, p.name);
            path = folder.filePath(p.name);
        }
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !staysInside(folder, path))
            return tr("%1 に書き込めません").arg(path);
        const quizfile::SaveResult saved = quizfile::save(path, p.bytes);
        if (!saved.ok)
            return saved.error;
        if (p.question < 0 || p.question >= quiz.size() || p.name == original)
            continue;
        // The question shows it, as its picture or in its text, under the new name.
        QuizRecord &r = quiz[p.question];
        if (r.imageFile == original)
            r.imageFile = p.name;
        const QString from = QStringLiteral("src=\"%1\"").arg(original);
        const QString to = QStringLiteral("src=\"%1\"").arg(p.name);
        r.question.replace(from, to);
        r.choices.replace(from, to);
    }
    return {};
}

} // namespace exchange
