#include "QuizRun.h"

#include <cmath>

namespace quizrun {

qint32 markFor(const QString &given, const QString &correct) {
    if (given.isEmpty())
        return kUnanswered;
    return given == correct ? kCorrect : kWrong;
}

bool isTrueFalse(const QString &answer) {
    return answer == QString::fromUtf8("○") || answer == QString::fromUtf8("×");
}

QString ruleText(const QString &answer) {
    return isTrueFalse(answer) ? QString::fromUtf8(" 1問 1点の 正誤問題です｡ 間違えると減点1です｡")
                               : QString::fromUtf8("1問2点の4者択一問題です｡");
}

QStringList answerChoices() {
    return {QStringLiteral("1"), QStringLiteral("2"),    QStringLiteral("3"),
            QStringLiteral("4"), QString::fromUtf8("○"), QString::fromUtf8("×")};
}

bool cannotBeGiven(const QString &answer) {
    return !answer.isEmpty() && !answerChoices().contains(answer);
}

double elapsedSeconds(double start, double now) {
    constexpr double day = 24 * 3600;
    const double elapsed = now - start;
    return elapsed < 0 ? elapsed + day : elapsed;
}

QString formatElapsed(double seconds) {
    const auto whole = static_cast<long long>(std::floor(seconds)) % (24 * 3600);
    return QStringLiteral("%1:%2:%3")
        .arg(whole / 3600, 2, 10, QLatin1Char('0'))
        .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(whole % 60, 2, 10, QLatin1Char('0'));
}

} // namespace quizrun
