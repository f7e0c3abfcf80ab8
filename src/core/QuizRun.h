#pragma once

#include <QString>
#include <QStringList>

// The rules of a quiz run that need no window: marks, question types and the clock text.
namespace quizrun {

inline constexpr qint32 kUnanswered = 0;
inline constexpr qint32 kCorrect = 1;
inline constexpr qint32 kWrong = 2;

// The run stops after 2 h 30 min.
inline constexpr double kTimeLimitSeconds = 2.5 * 3600;
// The question scroll bar is 16-bit and needs one position past the last question.
inline constexpr qint32 kMaxQuestionCount = 32766;

// Empty = unanswered; otherwise compared character by character, nothing trimmed.
qint32 markFor(const QString &given, const QString &correct);

// "○" or "×" make a true/false question; anything else is four-choice.
bool isTrueFalse(const QString &answer);
// The rule the side panel states for a question with this correct answer.
QString ruleText(const QString &answer);

// The answers the answer list offers, in order: "1" to "4", "○", "×".
QStringList answerChoices();
// A correct answer no learner can give: not one of answerChoices(). An empty one is not such:
// it is a question not yet written, as the editor makes them.
bool cannotBeGiven(const QString &answer);

// Seconds from start to now, both read as seconds since midnight; a reading that wrapped
// at midnight still counts forward.
double elapsedSeconds(double start, double now);
// "HH:MM:SS", fractions of a second cut.
QString formatElapsed(double seconds);

} // namespace quizrun
