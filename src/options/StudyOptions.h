#pragma once

// How the learner's runs are asked, as chosen in the options dialog and kept in the settings:
// practice mode (each answer's mark shown at once) or the timed run, and the questions in
// their order or shuffled. Both are off unless chosen.
namespace studyoptions {

bool practiceMode();
void setPracticeMode(bool on);

bool shuffledOrder();
void setShuffledOrder(bool on);

} // namespace studyoptions
