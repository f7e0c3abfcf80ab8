#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QuizState;

// The outcome of a quiz run: counts, score and the report of every question not answered
// correctly. Plain functions; the results window shows and prints what they compute.
namespace report {

enum class Kind { FourChoice, TrueFalse, Ignored };

// Four-choice when "1" <= answer <= "4" in string order ("10" and "2a" too, "" not),
// true/false for "○" and "×", otherwise left out of the counts and the report.
Kind classify(const QString &answer);

struct Counts {
    qint32 fourChoiceCorrect = 0;
    qint32 fourChoiceUnanswered = 0;
    qint32 trueFalseCorrect = 0;
    qint32 trueFalseUnanswered = 0;
    qint32 trueFalseWrong = 0;
    qint32 fourChoiceQuestions = 0;
    qint32 trueFalseQuestions = 0;

    qint32 totalCorrect() const { return fourChoiceCorrect + trueFalseCorrect; }
    qint32 unanswered() const { return fourChoiceUnanswered + trueFalseUnanswered; }
    // Four-choice: 2 points, nothing off; true/false: 1 point, 1 point off when wrong.
    qint32 score() const { return 2 * fourChoiceCorrect + trueFalseCorrect - trueFalseWrong; }
    // The score with every question answered correctly.
    qint32 maxScore() const { return 2 * fourChoiceQuestions + trueFalseQuestions; }
};

struct Outcome {
    Counts counts;
    QString text;            // every line ends with CR LF
    QList<qsizetype> listed; // the questions the report lists, by index, in its order
};

// Counts the run and writes the report: "問題名:  " + section, then two lines for each
// question not answered correctly. Reads the shared state only.
Outcome evaluate(const QuizState &state, const QString &section);

// Width of a line in twips, as drawn in the report's font.
using Measure = std::function<int(const QString &line)>;

// Wraps the report for a width of maxWidth twips: a blank line goes before each "問題:"
// entry, and a line measured wider than maxWidth is cut every maxWidth / em characters
// (em = the report font's size in twips), whatever the characters' own widths. A width
// below one em cuts one character per row.
QString wrapReport(const QString &text, int maxWidth, int em, const Measure &measure);

// The text split at every CR LF (the part after the last one included, even if empty).
QStringList lines(const QString &text);
// Where each of those lines starts in the text, and line i of the text by them.
QList<qsizetype> lineStarts(const QString &text);
QStringView lineAt(const QString &text, const QList<qsizetype> &starts, qsizetype i);

} // namespace report
