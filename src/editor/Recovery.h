#pragma once

#include "QuizRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The editor's unsaved work, kept when the program is ended from outside (a logout, a
// SIGTERM) so that nothing typed is lost: one file per quiz folder and section, in a
// "recovery" folder beside the settings.
namespace recovery {

struct Work {
    QString quizFolder;
    QString section;
    qint32 questionCount = 0;
    QList<QuizRecord> questions;
    QStringList boxes; // the editor's six boxes as they stood
};

// Writes the work; returns why not, or an empty text.
QString keep(const Work &work);
// The work kept for this folder and section, if any (a damaged copy counts as none).
std::optional<Work> find(const QString &quizFolder, const QString &section);
void drop(const QString &quizFolder, const QString &section);

} // namespace recovery
