#include "HtmlPage.h"

QString MakeHtmlPage(const QString &fragment, const QString &quizFolder) {
    static const QString placeholder = QStringLiteral("PathName");
    QString page = QStringLiteral("<html><body>");
    page.reserve(fragment.size() + 32);
    // Scan the fragment only, so a folder that itself contains the word is never rescanned.
    qsizetype from = 0;
    for (qsizetype at; (at = fragment.indexOf(placeholder, from, Qt::CaseInsensitive)) >= 0;
         from = at + placeholder.size()) {
        page += QStringView(fragment).sliced(from, at - from);
        page += quizFolder;
    }
    page += QStringView(fragment).sliced(from);
    page += QStringLiteral("</body></html>");
    return page;
}
