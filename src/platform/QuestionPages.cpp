#include "QuestionPages.h"

#include "HtmlPage.h"
#include "HtmlPane.h"
#include "Pictures.h"
#include "QuizRecord.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace questionpages {
namespace {
// A document that loads nothing a page names: quiz mark-up may name any file or address.
class TextOnlyDocument : public QTextDocument {
protected:
    QVariant loadResource(int, const QUrl &) override { return {}; }
};

// The fragment without the readings of its ruby mark-up and their parentheses. A reading runs
// to its end tag, which may be left out before the next reading or the ruby's end.
QString rubyTextRemoved(QString html) {
    static const QRegularExpression reading(
        QStringLiteral(R"(<r[tp]\b[^>]*>.*?(?=</?(?:rt|rp|ruby)\b|$))"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return html.remove(reading);
}
} // namespace

QString plainText(const QString &html) {
    TextOnlyDocument document;
    document.setHtml(html);
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text =
            block.text().remove(QChar::ObjectReplacementCharacter).simplified(); // pictures
        if (text.isEmpty())
            continue;
        const QTextList *list = block.textList();
        lines.append(list ? list->itemText(block) + QLatin1Char(' ') + text : text);
    }
    return lines.join(QLatin1Char('\n'));
}

QString spokenText(const QuizRecord &question, int number, int count, bool withoutRubyText) {
    QString spoken = QString::fromUtf8("問題 %1 / %2。").arg(number).arg(count);
    for (const QString &html : {question.question, question.choices}) {
        const QString text = plainText(withoutRubyText ? rubyTextRemoved(html) : html);
        if (!text.isEmpty())
            spoken += QLatin1Char('\n') + text;
    }
    return spoken;
}

QString plainStart(const QString &html) {
    constexpr qsizetype kLength = 40;
    QString text = plainText(rubyTextRemoved(html)).simplified();
    if (text.size() > kLength)
        text = text.left(kLength - 1) + QChar(0x2026); // …
    return text;
}

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
