#include "HtmlPage.h"

#include "Sections.h"

#include <QUrl>

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

namespace {
// Where an address that starts at from ends: at its own closing quote when it stands in
// quotes, otherwise at a space or the end of the tag.
qsizetype addressEnd(const QString &page, qsizetype start, qsizetype from) {
    const QChar before = start > 0 ? page[start - 1] : QChar();
    const bool quoted = before == QLatin1Char('"') || before == QLatin1Char('\'');
    qsizetype end = from;
    while (end < page.size()) {
        const QChar c = page[end];
        if (quoted ? c == before : (c.isSpace() || c == QLatin1Char('>')))
            break;
        ++end;
    }
    return end;
}
} // namespace

QString addressPicturesOnDisk(const QString &page, const QString &quizFolder) {
    if (quizFolder.isEmpty())
        return page;
    const QString prefix = QStringLiteral("file:///") + quizFolder;
    QString out;
    qsizetype from = 0;
    for (qsizetype at; (at = page.indexOf(prefix, from, Qt::CaseInsensitive)) >= 0;) {
        const qsizetype nameAt = at + prefix.size();
        const bool separated = nameAt < page.size() && (page[nameAt] == QLatin1Char('\\') ||
                                                        page[nameAt] == QLatin1Char('/'));
        if (!separated) {
            out += QStringView(page).sliced(from, nameAt - from);
            from = nameAt;
            continue;
        }
        const qsizetype end = addressEnd(page, at, nameAt);
        const QString name = QUrl::fromPercentEncoding(
            QStringView(page).sliced(nameAt + 1, end - nameAt - 1).toUtf8());
        const QString path = sections::picturePath(quizFolder, name);
        out += QStringView(page).sliced(from, at - from);
        out += QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
        from = end;
    }
    out += QStringView(page).sliced(from);
    return out;
}
