#pragma once

#include <QString>

// How the learner's runs are asked, as chosen in the options dialog and kept in the settings:
// practice mode (each answer's mark shown at once) or the timed run, and the questions in
// their order or shuffled (both off unless chosen); and the learner's name and class folder,
// to which each finished run is sent for the teacher.
namespace studyoptions {

bool practiceMode();
void setPracticeMode(bool on);

bool shuffledOrder();
void setShuffledOrder(bool on);

// One line of at most kMaxNameLength characters, without control characters; empty: none.
inline constexpr qsizetype kMaxNameLength = 40;
QString learnerName();
void setLearnerName(const QString &name);
// An absolute path; anything else (an edited settings file) is none.
QString classFolder();
void setClassFolder(const QString &folder);

} // namespace studyoptions
