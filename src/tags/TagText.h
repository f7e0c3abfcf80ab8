#pragma once

#include <QString>
#include <QStringList>

// The mark-up the tag builder puts around a piece of text.
namespace tagtext {

struct Tags {
    QString ParaOpen, ParaClose;
    QString StyleOpen, StyleClose;
    QString LinkOpen, LinkClose;
    QString ImageTag;
    QString TableOpen, TableClose;
};

// Paragraph, style, table, link and picture around the inner text, nothing between.
QString ComposeTags(const Tags &tags, const QString &innerText);

// The opening tag and the picture element as written into quiz texts.
QString linkOpen(const QString &url);
QString imageTag(const QString &pictureName);

// The entries for the GIF files of folder: bare names in the quiz folder, "sub\name.gif"
// in a folder below it (a backslash, so quiz files read the same everywhere); none for a
// folder outside the quiz folder, which a quiz cannot refer to.
QStringList pictureEntries(const QString &quizFolder, const QString &folder);

} // namespace tagtext
