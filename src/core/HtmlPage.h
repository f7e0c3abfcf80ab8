#pragma once

#include <QString>

// Turns a question or choices fragment into a page: every "PathName" (any letter case)
// becomes the quiz folder, and the result is wrapped in <html><body>...</body></html>.
QString MakeHtmlPage(const QString &fragment, const QString &quizFolder);
