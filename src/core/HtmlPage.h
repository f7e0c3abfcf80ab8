#pragma once

#include <QString>

// Turns a question or choices fragment into a page: every "PathName" (any letter case)
// becomes the quiz folder, and the result is wrapped in <html><body>...</body></html>.
QString MakeHtmlPage(const QString &fragment, const QString &quizFolder);

// The page as the renderer is to load it: every file:/// address under the quiz folder
// becomes the address of the file on disk, its letter case as on disk (quiz folders made on
// Windows ignore case) and the characters an address cannot hold (#, %, ?, spaces) escaped.
// The page and the stored mark-up themselves keep the folder's text as it is.
QString addressPicturesOnDisk(const QString &page, const QString &quizFolder);
