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

// Shows the picture at path; an empty path clears it, and a picture that cannot be loaded
// keeps the one on show.
void showPicture(QLabel &label, const QString &path);

} // namespace questionpages
