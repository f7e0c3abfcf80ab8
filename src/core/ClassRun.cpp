#include "ClassRun.h"

#include "CsvLog.h"
#include "Report.h"
#include "WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

namespace classrun {
namespace {
const QString kDateFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

const QStringList &runHeader() {
    static const QStringList fields =
        QString::fromUtf8("氏名,問題名,日時,種類").split(QLatin1Char(','));
    return fields;
}

const QStringList &answerHeader() {
    static const QStringList fields =
        QString::fromUtf8("問題番号,照合コード,正解,解答,判定,問題文").split(QLatin1Char(','));
    return fields;
}

std::optional<Answer> answerOf(const QStringList &f) {
    bool ok = false;
    Answer a;
    a.number = f.value(0).toInt(&ok);
    const std::optional<answerlog::Mark> mark = answerlog::markOfWord(f.value(4));
    if (f.size() != answerHeader().size() || !ok || !mark)
        return std::nullopt;
    a.fingerprint = f[1];
    a.correct = f[2];
    a.given = f[3];
    a.mark = *mark;
    a.start = f[5];
    return a;
}

// Reads the lines in order: the run's header and fields, the answers' header, the answers.
class Parser {
public:
    bool take(const QStringList &f) {
        switch (m_line++) {
        case 0:
            return f == runHeader();
        case 1:
            return runFields(f);
        case 2:
            return f == answerHeader();
        default:
            if (const std::optional<Answer> a = answerOf(f)) {
                run.answers.append(*a);
                return true;
            }
            return false;
        }
    }
    bool complete() const { return m_line >= 3; }
    Run run;

private:
    int m_line = 0;

    bool runFields(const QStringList &f) {
        if (f.size() != runHeader().size())
            return false;
        run.learner = f[0];
        run.section = f[1];
        run.when = QDateTime::fromString(f[2], kDateFormat);
        const std::optional<history::RunKind> kind = history::kindOfWord(f[3]);
        if (!run.when.isValid() || !kind)
            return false;
        run.kind = *kind;
        return true;
    }
};

QString writeWhole(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QString::fromUtf8("%1 に書き込めません: %2").arg(path, file.errorString());
    return {};
}

// Moves every file waiting in the outbox into the class folder; stops at the first that fails.
QString sendWaiting(const QString &classFolder) {
    const QDir outbox(outboxFolder());
    for (const QFileInfo &waiting : outbox.entryInfoList({QStringLiteral("*.csv")}, QDir::Files)) {
        const wholefile::ReadResult file = wholefile::read(waiting.filePath());
        if (!file.ok())
            continue;
        const QString problem =
            writeWhole(classFolder + QLatin1Char('/') + waiting.fileName(), file.bytes);
        if (!problem.isEmpty())
            return problem;
        QFile::remove(waiting.filePath());
    }
    return {};
}
} // namespace

qint32 Run::score() const {
    qint32 points = 0;
    for (const Answer &a : answers) {
        const report::Kind kind = report::classify(a.correct);
        if (a.mark == answerlog::Mark::Correct)
            points += kind == report::Kind::FourChoice ? 2 : kind == report::Kind::TrueFalse;
        else if (a.mark == answerlog::Mark::Wrong && kind == report::Kind::TrueFalse)
            points -= 1;
    }
    return points;
}

qint32 Run::maxScore() const {
    qint32 points = 0;
    for (const Answer &a : answers) {
        const report::Kind kind = report::classify(a.correct);
        points += kind == report::Kind::FourChoice ? 2 : kind == report::Kind::TrueFalse;
    }
    return points;
}

QByteArray encode(const Run &run) {
    QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF") + csvlog::line(runHeader()) +
                       csvlog::line({run.learner, run.section, run.when.toString(kDateFormat),
                                     history::kindWord(run.kind)}) +
                       csvlog::line(answerHeader());
    for (const Answer &a : run.answers)
        bytes += csvlog::line({QString::number(a.number), a.fingerprint, a.correct, a.given,
                               answerlog::markWord(a.mark), a.start});
    return bytes;
}

std::optional<Run> decode(QByteArrayView bytes) {
    Parser parser;
    const int damaged = csvlog::forEachRecord(
        bytes, QStringList(), [&parser](const QStringList &f) { return parser.take(f); });
    if (damaged > 0 || !parser.complete())
        return std::nullopt;
    return parser.run;
}

QString fileNameFor(const Run &run) {
    const quint64 random = QRandomGenerator::system()->generate64();
    return run.when.toString(QStringLiteral("yyyyMMdd-HHmmss-")) +
           QString::number(random, 16).rightJustified(16, QLatin1Char('0')) +
           QStringLiteral(".csv");
}

QString outboxFolder() {
    return QFileInfo(history::filePath()).absolutePath() + QStringLiteral("/outbox");
}

QString send(const Run &run, const QString &classFolder) {
    const QString name = fileNameFor(run);
    const QByteArray bytes = encode(run);
    QString problem = QFileInfo(classFolder).isDir()
                          ? sendWaiting(classFolder)
                          : QString::fromUtf8("%1 に届きません").arg(classFolder);
    if (problem.isEmpty())
        problem = writeWhole(classFolder + QLatin1Char('/') + name, bytes);
    if (problem.isEmpty())
        return {};
    // Kept for the next time; the learner's own records are written all the same.
    QDir().mkpath(outboxFolder());
    writeWhole(outboxFolder() + QLatin1Char('/') + name, bytes);
    return problem;
}

FolderRead readFolder(const QString &classFolder) {
    FolderRead result;
    const QDir folder(classFolder);
    if (!folder.exists() || !folder.isReadable()) {
        result.error = QString::fromUtf8("%1 を開けません").arg(classFolder);
        return result;
    }
    const QFileInfoList files = folder.entryInfoList(
        {QStringLiteral("*.csv")}, QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
    for (const QFileInfo &info : files) {
        if (info.fileName().startsWith(QLatin1Char('.')))
            continue; // a file still being written under its temporary name
        // A link may lead out of the folder; a FIFO or device would block or never end.
        std::optional<Run> run;
        if (!info.isSymLink() && info.isFile() && info.size() <= kMaxFileBytes) {
            const wholefile::ReadResult file = wholefile::read(info.filePath());
            if (file.ok())
                run = decode(file.bytes);
        }
        if (run)
            result.runs.append(std::move(*run));
        else
            ++result.skippedFiles;
    }
    return result;
}

} // namespace classrun
