#include "RunJournal.h"

#include "QuizFile.h"
#include "QuizRun.h"
#include "Sha256.h"
#include "WholeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace runjournal {
namespace {
constexpr qint64 kMaxJournalBytes = 64 * 1024 * 1024; // answers of the longest quiz, and more

QString folder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Tessellar");
}

QJsonObject toJson(const QuizIdentity &quiz) {
    return {{QStringLiteral("path"), quiz.path},
            {QStringLiteral("size"), double(quiz.size)},
            {QStringLiteral("modified"), double(quiz.modified)},
            {QStringLiteral("sha256"), QString::fromLatin1(quiz.sha256)}};
}

QuizIdentity identityFrom(const QJsonObject &o) {
    // toInteger refuses a number no qint64 holds (1e300, say) rather than convert it.
    return {o.value(QStringLiteral("path")).toString(),
            o.value(QStringLiteral("size")).toInteger(-1),
            o.value(QStringLiteral("modified")).toInteger(),
            o.value(QStringLiteral("sha256")).toString().toLatin1()};
}

// A JSON string: quotes, backslashes and control characters escaped, the rest as UTF-8.
void appendJsonString(QByteArray &json, const QString &text) {
    json += '"';
    for (const char byte : text.toUtf8()) {
        if (byte == '"' || byte == '\\') {
            json += '\\';
            json += byte;
        } else if (byte >= 0 && byte < 0x20) {
            json += "\\u00";
            json += "0123456789abcdef"[byte >> 4];
            json += "0123456789abcdef"[byte & 0xF];
        } else {
            json += byte;
        }
    }
    json += '"';
}

// ,"key":[item,item,...] for the journal's lists, written out directly: the journal is
// rewritten every second while the clock runs, and QJsonArray took 15 ms for the answers of
// 32,766 questions.
template <typename List, typename AppendItem>
void appendArray(QByteArray &json, const char *key, const List &items, AppendItem appendItem) {
    json += ",\"";
    json += key;
    json += "\":[";
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            json += ',';
        appendItem(json, items[i]);
    }
    json += ']';
}

std::optional<Journal> parse(const QByteArray &bytes) {
    const QJsonObject o = QJsonDocument::fromJson(bytes).object();
    Journal journal;
    journal.quiz = identityFrom(o.value(QStringLiteral("quiz")).toObject());
    for (const QJsonValue &text : o.value(QStringLiteral("answers")).toArray())
        journal.answerTexts.append(text.toString());
    for (const QJsonValue &mark : o.value(QStringLiteral("marks")).toArray()) {
        const int value = mark.toInt(-1);
        if (value != quizrun::kUnanswered && value != quizrun::kCorrect && value != quizrun::kWrong)
            return std::nullopt;
        journal.answerMarks.append(value);
    }
    for (const QJsonValue &index : o.value(QStringLiteral("order")).toArray())
        journal.order.append(index.toInteger(-1));
    const std::optional<history::RunKind> kind =
        history::kindOfWord(o.value(QStringLiteral("kind")).toString(QStringLiteral("full")));
    if (!kind)
        return std::nullopt;
    // A practice run's kind says only that; a practice review or retry keeps both.
    journal.practice =
        *kind == history::RunKind::Practice || o.value(QStringLiteral("practice")).toBool();
    journal.kind = *kind == history::RunKind::Practice ? history::RunKind::Full : *kind;
    journal.questionOnShow = o.value(QStringLiteral("question")).toInt(1);
    journal.elapsedSeconds = o.value(QStringLiteral("elapsed")).toDouble(-1);
    if (journal.answerTexts.size() != journal.answerMarks.size() ||
        !std::isfinite(journal.elapsedSeconds) || journal.elapsedSeconds < 0 ||
        journal.elapsedSeconds > quizrun::kTimeLimitSeconds)
        return std::nullopt;
    return journal;
}

// The answers are those of the run's questions, and its order names questions of the quiz.
bool fitsQuiz(const Journal &journal, qsizetype questionCount) {
    if (journal.order.isEmpty())
        return journal.answerTexts.size() == questionCount;
    QList<bool> named(questionCount, false);
    for (const qsizetype index : journal.order) {
        if (index < 0 || index >= questionCount || named[index])
            return false;
        named[index] = true;
    }
    return journal.answerTexts.size() == journal.order.size();
}
} // namespace

QString pathFor(const QString &quizFile) {
    const QByteArray key = QFileInfo(quizFile).absoluteFilePath().toUtf8();
    return folder() + QLatin1Char('/') +
           QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex()) +
           QStringLiteral(".json");
}

QuizIdentity identify(const QString &quizFile) {
    const wholefile::ReadResult file = wholefile::read(quizFile);
    if (!file.ok()) {
        QuizIdentity unreadable;
        unreadable.path = QFileInfo(quizFile).absoluteFilePath();
        return unreadable;
    }
    return identify(quizFile, file.bytes);
}

QuizIdentity identify(const QString &quizFile, QByteArrayView bytes) {
    const QFileInfo info(quizFile);
    QuizIdentity identity;
    identity.path = info.absoluteFilePath();
    identity.size = bytes.size();
    identity.modified = info.lastModified().toMSecsSinceEpoch();
    identity.sha256 = sha256Hex(bytes);
    return identity;
}

QString write(const Journal &journal) {
    if (!QDir().mkpath(folder()))
        return QString::fromUtf8("%1 を作成できません").arg(folder());
    const QJsonObject fields{{QStringLiteral("quiz"), toJson(journal.quiz)},
                             {QStringLiteral("question"), journal.questionOnShow},
                             {QStringLiteral("elapsed"), journal.elapsedSeconds},
                             {QStringLiteral("kind"), history::kindWord(journal.kind)},
                             {QStringLiteral("practice"), journal.practice}};
    QByteArray json = QJsonDocument(fields).toJson(QJsonDocument::Compact);
    json.chop(1); // the closing brace, after the answers
    appendArray(json, "answers", journal.answerTexts, appendJsonString);
    appendArray(json, "marks", journal.answerMarks,
                [](QByteArray &out, qint32 mark) { out += QByteArray::number(mark); });
    appendArray(json, "order", journal.order,
                [](QByteArray &out, qsizetype index) { out += QByteArray::number(index); });
    json += '}';
    // Written as a quiz file is: to a new file, flushed to the disk, then put in place.
    return quizfile::save(pathFor(journal.quiz.path), json).error;
}

std::optional<Journal> find(const QuizIdentity &quiz, qsizetype questionCount) {
    const QString path = pathFor(quiz.path);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const QFileInfo info(path);
    const wholefile::ReadResult file =
        info.size() <= kMaxJournalBytes ? wholefile::read(path) : wholefile::ReadResult{};
    std::optional<Journal> journal = file.ok() ? parse(file.bytes) : std::nullopt;
    if (!journal || journal->quiz != quiz || !fitsQuiz(*journal, questionCount)) {
        drop(quiz.path);
        return std::nullopt;
    }
    return journal;
}

void drop(const QString &quizFile) {
    QFile::remove(pathFor(quizFile));
}

} // namespace runjournal
