#pragma once

#include <QString>

class HtmlPane;
class QLabel;
struct QuizRecord;

// A question as the learner sees it: the pages of its question text and choices, and its
// picture. The quiz run and the editor's preview show questions through these alone.
namespace questionpages {

void showPages(HtmlPane &questionPane, HtmlPane &choicesPane, const QuizRecord &question,
               const QString &quizFolder);

// The question as a screen reader says it, in plain text: "問題 3 / 10。" then the question
// text and the choices, each on a line of its own, the items of a numbered list with their
// numbers ("1. 富士山"). Without ruby text, the readings ruby mark-up sets over words
// (furigana) are left out, as the panes hide them.
QString spokenText(const QuizRecord &question, int number, int count, bool withoutRubyText);
// The text of an HTML fragment as plain text, list items numbered; nothing is loaded.
QString plainText(const QString &html);
// The start of the plain text on one line without ruby readings, cut short with an ellipsis:
// how tables name a question.
QString plainStart(const QString &html);

// Shows the picture at path; an empty path clears it, and a picture that cannot be loaded
// keeps the one on show.
void showPicture(QLabel &label, const QString &path);

} // namespace questionpages
