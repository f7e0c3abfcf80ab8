#include "QuestionPages.h"

#include "HtmlPage.h"
#include "HtmlPane.h"
#include "Pictures.h"
#include "QuizRecord.h"

#include <QLabel>

namespace questionpages {

void showPages(HtmlPane &questionPane, HtmlPane &choicesPane, const QuizRecord &question,
               const QString &quizFolder) {
    const auto page = [&quizFolder](const QString &fragment) {
        return addressPicturesOnDisk(MakeHtmlPage(fragment, quizFolder), quizFolder);
    };
    for (HtmlPane *pane : {&questionPane, &choicesPane})
        pane->setQuizFolder(quizFolder);
    questionPane.setBodyHtml(page(question.question));
    choicesPane.setBodyHtml(page(question.choices));
}

void showPicture(QLabel &label, const QString &path) {
    if (path.isEmpty()) {
        label.clear();
        return;
    }
    const QPixmap picture = pictures::load(path);
    if (!picture.isNull())
        label.setPixmap(picture);
}

} // namespace questionpages
