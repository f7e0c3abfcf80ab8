#pragma once

#include "ClassStats.h"

#include <QStringList>

#include <functional>

class QFontMetrics;

// The texts of the class's two tables, the same in the window, in a CSV file and on paper:
// each learner's runs, and each question's figures, the hardest first.
namespace classtables {

// 氏名, 日時, 種類, 総得点, 満点.
QStringList learnerHeaders();
QStringList learnerTexts(const classstats::LearnerRun &run);

// 問題, 正答率, 正解者/解答者, 識別力, 正解, 誤答の内訳, 問題文.
QStringList questionHeaders();
QStringList questionTexts(const classstats::QuestionStat &question);

// The section's tables as lines of a fixed-width font, the columns lined up and each line
// cut to width.
QStringList printedLines(const classstats::Section &section, const QFontMetrics &metrics,
                         int width);

} // namespace classtables
