#include "ClassTables.h"

#include "Design.h"
#include "ProgressChart.h"

#include <QFontMetrics>

#include <algorithm>

using design::uiText;

namespace classtables {
namespace {
QStringList headersOf(const char *utf8) {
    return uiText(utf8).split(QLatin1Char(','));
}

QString wrongAnswersText(const QList<std::pair<QString, int>> &wrong) {
    QStringList parts;
    for (const auto &[answer, count] : wrong)
        parts.append(
            uiText("%1: %2人").arg(answer.isEmpty() ? uiText("未回答") : answer).arg(count));
    return parts.join(QStringLiteral(", "));
}

// One table as lines: each cell padded with spaces to its column's widest text.
QStringList tableLines(const QStringList &headers, int rowCount,
                       const std::function<QStringList(int)> &row, const QFontMetrics &metrics,
                       int width) {
    QList<QStringList> cells{headers};
    for (int r = 0; r < rowCount; ++r)
        cells.append(row(r));
    QList<int> widths(headers.size(), 0);
    for (const QStringList &texts : cells)
        for (qsizetype c = 0; c < texts.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], metrics.horizontalAdvance(texts[c]));
    const int space = std::max(1, metrics.horizontalAdvance(QLatin1Char(' ')));
    QStringList lines;
    for (const QStringList &texts : cells) {
        QString line;
        for (qsizetype c = 0; c < texts.size(); ++c) {
            line += texts[c];
            if (c + 1 < texts.size()) { // two spaces between columns
                const int missing = widths.value(c) - metrics.horizontalAdvance(texts[c]);
                line += QString((missing + space - 1) / space + 2, QLatin1Char(' '));
            }
        }
        // A text's own line breaks would run into the next line on paper.
        line.replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));
        lines.append(metrics.elidedText(line, Qt::ElideRight, width));
    }
    return lines;
}
} // namespace

QStringList learnerHeaders() {
    return headersOf("氏名,日時,種類,総得点,満点");
}

QStringList learnerTexts(const classstats::LearnerRun &run) {
    return {run.learner, run.when.toString(QStringLiteral("yyyy/MM/dd HH:mm")),
            progress::kindName(run.kind), QString::number(run.score),
            QString::number(run.maxScore)};
}

QStringList questionHeaders() {
    return headersOf("問題,正答率,正解者/解答者,識別力,正解,誤答の内訳,問題文");
}

QStringList questionTexts(const classstats::QuestionStat &q) {
    const QString none = uiText("—");
    return {QString::number(q.number),
            q.attempts > 0 ? QStringLiteral("%1%").arg(q.rate() * 100, 0, 'f', 1) : none,
            QStringLiteral("%1/%2").arg(q.right).arg(q.attempts),
            q.discrimination ? QString::number(*q.discrimination, 'f', 2) : none,
            q.correct,
            wrongAnswersText(q.wrongAnswers),
            q.start};
}

QStringList printedLines(const classstats::Section &section, const QFontMetrics &metrics,
                         int width) {
    const QStringList heading{
        metrics.elidedText(uiText("クラスの成績: %1").arg(section.name), Qt::ElideMiddle, width),
        QString()};
    return heading +
           tableLines(
               learnerHeaders(), int(section.runs.size()),
               [&section](int r) { return learnerTexts(section.runs[r]); }, metrics, width) +
           QStringList{QString()} +
           tableLines(
               questionHeaders(), int(section.questions.size()),
               [&section](int r) { return questionTexts(section.questions[r]); }, metrics, width);
}

} // namespace classtables
