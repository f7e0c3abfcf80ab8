#include "StudyOptions.h"

#include "Settings.h"

#include <QString>

namespace studyoptions {
namespace {
// Anything but 1 (an edited or damaged settings file) is the default.
bool isOn(const char *key) {
    return settings::readNumber(QString::fromLatin1(key), 0) == 1;
}
} // namespace

bool practiceMode() {
    return isOn("PracticeMode");
}

void setPracticeMode(bool on) {
    settings::writeNumber(QStringLiteral("PracticeMode"), on ? 1 : 0);
}

bool shuffledOrder() {
    return isOn("ShuffledOrder");
}

void setShuffledOrder(bool on) {
    settings::writeNumber(QStringLiteral("ShuffledOrder"), on ? 1 : 0);
}

} // namespace studyoptions
