#include "Recovery.h"

#include "QuizJson.h"
#include "Settings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace recovery {
namespace {

// Named by a hash: a section name must not decide where a file is written.
QString pathFor(const QString &quizFolder, const QString &section) {
    const QByteArray key = (quizFolder + QChar(0) + section).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
    return settings::folder() + QStringLiteral("/recovery/") + QString::fromLatin1(hash.left(32)) +
           QStringLiteral(".json");
}

QJsonObject toJson(const Work &work) {
    QJsonObject object = QJsonDocument::fromJson(quizjson::write(work.questions, 0)).object();
    object.insert(QStringLiteral("quizFolder"), work.quizFolder);
    object.insert(QStringLiteral("section"), work.section);
    object.insert(QStringLiteral("questionCount"), work.questionCount);
    object.insert(QStringLiteral("boxes"), QJsonArray::fromStringList(work.boxes));
    return object;
}

} // namespace

QString keep(const Work &work) {
    const QString path = pathFor(work.quizFolder, work.section);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    const QByteArray bytes = QJsonDocument(toJson(work)).toJson();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

std::optional<Work> find(const QString &quizFolder, const QString &section) {
    QFile file(pathFor(quizFolder, section));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    Work work;
    QString error;
    const bool hasQuestions = !object.value(QStringLiteral("records")).toArray().isEmpty();
    if (hasQuestions && !quizjson::read(bytes, work.questions, error))
        return std::nullopt;
    work.quizFolder = object.value(QStringLiteral("quizFolder")).toString();
    work.section = object.value(QStringLiteral("section")).toString();
    work.questionCount = object.value(QStringLiteral("questionCount")).toInt();
    for (const QJsonValue &box : object.value(QStringLiteral("boxes")).toArray())
        work.boxes.append(box.toString());
    if (work.quizFolder != quizFolder || work.section != section || work.boxes.size() != 6 ||
        work.questionCount < 1)
        return std::nullopt;
    return work;
}

void drop(const QString &quizFolder, const QString &section) {
    QFile::remove(pathFor(quizFolder, section));
}

} // namespace recovery
