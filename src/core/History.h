#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The learner's score history: one line per finished run in a CSV file that a spreadsheet
// opens. Lines are only ever appended; a damaged line is skipped when reading.
namespace history {

// A timed run of the whole quiz, another try at the questions a run missed, a review of the
// questions due again, or a practice run that shows each answer's mark at once.
enum class RunKind { Full, Retry, Review, Practice };
// The word a history line names the kind by ("full", "retry", "review", "practice").
QString kindWord(RunKind kind);
std::optional<RunKind> kindOfWord(QStringView word);

struct Entry {
    QDateTime when; // local time, whole seconds
    QString section;
    RunKind kind = RunKind::Full;
    qint32 questions = 0;
    qint32 correct = 0;
    qint32 fourChoiceCorrect = 0;
    qint32 trueFalseCorrect = 0;
    qint32 unanswered = 0;
    qint32 score = 0;
    qint32 maxScore = 0; // the score with every question answered correctly
    qint32 elapsedSeconds = 0;

    bool operator==(const Entry &) const = default;
    // The score as a percentage of the maximum; none when the run had nothing to score.
    std::optional<double> percent() const;
};

// How much of the end of the file is read at most (some 20,000 runs): a huge file must not
// hang the window.
inline constexpr qint64 kMaxReadBytes = 1024 * 1024;

// $XDG_DATA_HOME/Tessellar/history.csv (~/.local/share/Tessellar/history.csv).
QString filePath();

// Appends the entry's line (a new file gets a header first) in a single write to the end of
// the file. Returns why it failed, or an empty text; a failed write takes back what it wrote.
QString append(const Entry &entry, const QString &path = filePath());

struct ReadResult {
    QList<Entry> entries; // in the order of the file
    int skippedLines = 0; // damaged lines left out
    bool olderLinesLeftOut = false;
    QString error; // the file could not be read; a missing file is no error
};

// Reads the last kMaxReadBytes of the file.
ReadResult read(const QString &path = filePath());
// The entries of a history file's bytes; the header and blank lines are not counted.
ReadResult parse(QByteArrayView bytes);

// The sections named in the entries, sorted.
QStringList sections(const QList<Entry> &entries);

} // namespace history
