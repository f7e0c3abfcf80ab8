#include "ExchangeFiles.h"

#include "Gift.h"
#include "MoodleXml.h"
#include "WholeFile.h"

#include <QFileInfo>

namespace exchange {
namespace {
QString tr(const char *utf8) {
    return QString::fromUtf8(utf8);
}
} // namespace

Format formatFor(const QString &fileName) {
    return QFileInfo(fileName).suffix().compare(QLatin1String("xml"), Qt::CaseInsensitive) == 0
               ? Format::MoodleXml
               : Format::Gift;
}

QString formatName(Format format) {
    return format == Format::MoodleXml ? QStringLiteral("Moodle XML") : QStringLiteral("GIFT");
}

Exported exportQuiz(const QList<QuizRecord> &quiz, const QString &section,
                    const QString &quizFolder, Format format) {
    const bool moodle = format == Format::MoodleXml;
    const Outgoing out = toPlatform(quiz, section, quizFolder, moodle);
    return {moodle ? moodlexml::write(out.questions) : gift::write(out.questions),
            int(out.questions.size()), out.choicesInText, out.notes};
}

Imported importFile(const QString &path, Format format, bool strict) {
    Imported result;
    const qint64 limit =
        format == Format::MoodleXml ? moodlexml::kMaxFileBytes : gift::kMaxFileBytes;
    const wholefile::ReadResult file =
        QFileInfo(path).size() > limit
            ? wholefile::ReadResult{{}, tr("%1 は大きすぎます").arg(path)}
            : wholefile::read(path);
    if (!file.ok()) {
        result.error = file.error;
        return result;
    }
    const FileRead read =
        format == Format::MoodleXml ? moodlexml::read(file.bytes) : gift::read(file.bytes);
    result.skipped = read.skipped;
    QString error = read.error;
    if (error.isEmpty() && strict && !result.skipped.isEmpty())
        error = tr("読み込めない問題があるため読み込みません: ") +
                result.skipped.join(QStringLiteral("; "));
    if (!error.isEmpty()) {
        result.error = error;
        return result;
    }
    Incoming in = fromPlatform(read.questions);
    result.error = in.error;
    result.quiz = std::move(in.quiz);
    result.pictures = std::move(in.pictures);
    result.notes = in.notes;
    return result;
}

QString exportSummary(const Exported &exported) {
    QStringList lines{tr("%1 問を書き出しました").arg(exported.questions)};
    if (exported.choicesInText > 0)
        lines.append(tr("選択肢を分けられなかった %1 問は，選択肢を問題文に入れ，答えを 1～4 "
                        "にしました")
                         .arg(exported.choicesInText));
    return (lines + exported.notes).join(QStringLiteral("\r\n"));
}

QString importSummary(const Imported &imported) {
    QStringList lines{tr("%1 問を読み込みました").arg(imported.quiz.size())};
    if (!imported.skipped.isEmpty())
        lines.append(tr("%1 問は読み込めないため飛ばしました:").arg(imported.skipped.size()));
    return (lines + imported.skipped + imported.notes).join(QStringLiteral("\r\n"));
}

} // namespace exchange
