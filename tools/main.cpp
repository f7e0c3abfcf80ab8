// tessellar-tool: reads, writes and checks quiz files from the command line.
#include "Module1.h"
#include "QuizFile.h"
#include "QuizJson.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

int fail(const QString &file, const QString &problem) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(QStringLiteral("%1: %2").arg(file, problem)));
    return 1;
}

int usage() {
    std::fputs("usage: tessellar-tool dump FILE\n"
               "       tessellar-tool pack IN.json OUT\n"
               "       tessellar-tool check FILE\n",
               stderr);
    return 2;
}

int dump(const QString &path) {
    const quizfile::ReadResult quiz = quizfile::read(path);
    if (!quiz.ok)
        return fail(path, quiz.error);
    const QByteArray json = quizjson::write(quiz.records, quiz.trailingBytes);
    std::fwrite(json.constData(), 1, json.size(), stdout);
    return 0;
}

int check(const QString &path) {
    const quizfile::ReadResult quiz = quizfile::read(path, quizfile::Mode::Check);
    if (!quiz.ok)
        return fail(path, quiz.error);
    // The file reads; texts with bytes that are not CP932 are shown with U+FFFD.
    for (qint64 offset : quiz.invalidTextOffsets)
        std::printf("%s\n",
                    qUtf8Printable(QString::fromUtf8("%1: オフセット %2: CP932 ではないバイトを "
                                                     "U+FFFD として読みました")
                                       .arg(path)
                                       .arg(offset)));
    return 0;
}

int pack(const QString &in, const QString &out) {
    QFile source(in);
    if (!source.open(QIODevice::ReadOnly))
        return fail(in, source.errorString());
    Module1 quiz;
    QString error;
    if (!quizjson::read(source.readAll(), quiz.QuestionTable, error))
        return fail(in, error);
    // Written exactly as the editor writes a quiz.
    quiz.QuestionCount = static_cast<qint32>(quiz.QuestionTable.size());
    error = quiz.saveQuizFile(out);
    return error.isEmpty() ? 0 : fail(out, error);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString command = args.value(0);
    if (command == QLatin1String("dump") && args.size() == 2)
        return dump(args[1]);
    if (command == QLatin1String("check") && args.size() == 2)
        return check(args[1]);
    if (command == QLatin1String("pack") && args.size() == 3)
        return pack(args[1], args[2]);
    return usage();
}
