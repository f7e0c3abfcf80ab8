// tessellar-tool: reads, writes and checks quiz files from the command line.
#include "ExchangeFiles.h"
#include "QuizCsv.h"
#include "QuizFile.h"
#include "QuizJson.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "Sections.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <optional>

#include <cstdio>

namespace {

// A line about the file on the error output: a problem, or a warning.
void tell(const QString &file, const QString &what) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(QStringLiteral("%1: %2").arg(file, what)));
}

int fail(const QString &file, const QString &problem) {
    tell(file, problem);
    return 1;
}

constexpr const char *kUsage =
    "usage: tessellar-tool dump FILE\n"
    "       tessellar-tool pack IN.json OUT\n"
    "       tessellar-tool check FILE\n"
    "       tessellar-tool export-csv [--csv|--tsv] [--cp932] QUIZ OUT.csv\n"
    "       tessellar-tool import-csv [--csv|--tsv] IN.csv QUIZ\n"
    "       tessellar-tool export-moodle QUIZ OUT.xml\n"
    "       tessellar-tool export-gift QUIZ OUT.txt\n"
    "       tessellar-tool import-moodle [--strict] IN.xml QUIZ\n"
    "       tessellar-tool import-gift [--strict] IN.txt QUIZ\n"
    "CSV is tab-separated when its name ends in .tsv or .txt, unless --csv or --tsv says;\n"
    "export-csv writes UTF-8 with a BOM, or CP932 with --cp932; import-csv reads either.\n"
    "Moodle XML carries pictures, written into the quiz's folder on import (never over\n"
    "another file); GIFT names them. Questions of other kinds are reported and left out,\n"
    "or with --strict refuse the import; nothing is written on a refusal.\n";

int usage() {
    std::fputs(kUsage, stderr);
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
    // A file that reads but holds more questions than a quiz run takes cannot be used.
    return quiz.count > quizrun::kMaxQuestionCount
               ? fail(path, quizfile::tooManyQuestions(quiz.count))
               : 0;
}

// Writes the questions as the editor writes a quiz: the count is the number of questions.
int writeQuiz(const QString &path, const QList<QuizRecord> &questions) {
    QuizState quiz;
    quiz.replaceQuiz(questions);
    const QString error = quiz.saveQuizFile(path);
    return error.isEmpty() ? 0 : fail(path, error);
}

int pack(const QString &in, const QString &out) {
    QFile source(in);
    if (!source.open(QIODevice::ReadOnly))
        return fail(in, source.errorString());
    QList<QuizRecord> questions;
    QString error;
    if (!quizjson::read(source.readAll(), questions, error))
        return fail(in, error);
    return writeQuiz(out, questions);
}

// The arguments of export-csv and import-csv: two paths and the options among them.
struct CsvArguments {
    QStringList paths;
    std::optional<quizcsv::Separator> separator;
    csv::Encoding encoding = csv::Encoding::Utf8;
    bool ok = true;

    quizcsv::Separator separatorFor(const QString &csvPath) const {
        return separator.value_or(quizcsv::separatorFor(csvPath));
    }
};

CsvArguments csvArguments(const QStringList &args, bool encodingAllowed) {
    CsvArguments parsed;
    for (const QString &arg : args) {
        if (arg == QLatin1String("--csv"))
            parsed.separator = quizcsv::Separator::Comma;
        else if (arg == QLatin1String("--tsv"))
            parsed.separator = quizcsv::Separator::Tab;
        else if (arg == QLatin1String("--cp932") && encodingAllowed)
            parsed.encoding = csv::Encoding::Cp932;
        else if (arg.startsWith(QLatin1String("--")))
            parsed.ok = false;
        else
            parsed.paths.append(arg);
    }
    parsed.ok = parsed.ok && parsed.paths.size() == 2;
    return parsed;
}

int exportCsv(const CsvArguments &args) {
    const QString &quizPath = args.paths[0], &csvPath = args.paths[1];
    const quizfile::ReadResult quiz = quizfile::read(quizPath);
    if (!quiz.ok)
        return fail(quizPath, quiz.error);
    const quizcsv::ExportResult table =
        quizcsv::exportBytes(quiz.records, args.separatorFor(csvPath), args.encoding);
    if (!table.ok())
        return fail(csvPath, table.error.text());
    const quizfile::SaveResult saved = quizfile::save(csvPath, table.bytes);
    return saved.ok ? 0 : fail(csvPath, saved.error);
}

int importCsv(const CsvArguments &args) {
    const QString &csvPath = args.paths[0], &quizPath = args.paths[1];
    const quizcsv::ImportResult table = quizcsv::importFile(csvPath, args.separatorFor(csvPath));
    if (!table.ok())
        return fail(csvPath, table.error.text());
    if (writeQuiz(quizPath, table.records) != 0)
        return 1;
    for (const csv::Note &note : table.notes)
        tell(csvPath, note.text());
    std::printf("%s\n", qUtf8Printable(QString::fromUtf8("%1: %2 として %3 問を読み込みました")
                                           .arg(csvPath, table.encodingName())
                                           .arg(table.records.size())));
    return 0;
}

void say(const QString &lines) {
    std::printf("%s\n", qUtf8Printable(lines));
}

int exportPlatform(const QString &quizPath, const QString &outPath, exchange::Format format) {
    const quizfile::ReadResult quiz = quizfile::read(quizPath);
    if (!quiz.ok)
        return fail(quizPath, quiz.error);
    const exchange::Exported out =
        exchange::exportQuiz(quiz.records, sections::sectionOfFile(quizPath),
                             QFileInfo(quizPath).absolutePath(), format);
    const quizfile::SaveResult saved = quizfile::save(outPath, out.bytes);
    if (!saved.ok)
        return fail(outPath, saved.error);
    say(outPath + QStringLiteral(": ") + exchange::exportSummary(out));
    return 0;
}

int importPlatform(const QStringList &args, exchange::Format format) {
    const bool strict = args.value(0) == QLatin1String("--strict");
    const QStringList paths = args.mid(strict ? 1 : 0);
    if (paths.size() != 2 || paths[0].startsWith(QLatin1String("--")))
        return usage();
    const QString &inPath = paths[0], &quizPath = paths[1];
    exchange::Imported in = exchange::importFile(inPath, format, strict);
    if (!in.error.isEmpty())
        return fail(inPath, in.error);
    const QString pictures =
        exchange::writePictures(QFileInfo(quizPath).absolutePath(), in.pictures, in.quiz);
    if (!pictures.isEmpty())
        return fail(quizPath, pictures);
    if (writeQuiz(quizPath, in.quiz) != 0)
        return 1;
    say(inPath + QStringLiteral(": ") + exchange::importSummary(in));
    return 0;
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
    if (command == QLatin1String("export-csv") || command == QLatin1String("import-csv")) {
        const bool exporting = command == QLatin1String("export-csv");
        const CsvArguments csvArgs = csvArguments(args.mid(1), exporting);
        if (!csvArgs.ok)
            return usage();
        return exporting ? exportCsv(csvArgs) : importCsv(csvArgs);
    }
    const auto format = [&command] {
        return command.endsWith(QLatin1String("moodle")) ? exchange::Format::MoodleXml
                                                         : exchange::Format::Gift;
    };
    if ((command == QLatin1String("export-moodle") || command == QLatin1String("export-gift")) &&
        args.size() == 3)
        return exportPlatform(args[1], args[2], format());
    if (command == QLatin1String("import-moodle") || command == QLatin1String("import-gift"))
        return importPlatform(args.mid(1), format());
    if (command == QLatin1String("--version") || command == QLatin1String("-v")) {
        std::printf("tessellar-tool %s\n", TESSELLAR_VERSION);
        return 0;
    }
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    return usage();
}
