#include "Clock.h"

#include <QTime>

namespace clockreading {
namespace {
std::function<double()> &source() {
    static std::function<double()> replaced;
    return replaced;
}
std::function<QDateTime()> &dateTimeSource() {
    static std::function<QDateTime()> replaced;
    return replaced;
}
} // namespace

QDateTime currentDateTime() {
    return dateTimeSource() ? dateTimeSource()() : QDateTime::currentDateTime();
}

void setDateTimeSource(std::function<QDateTime()> replacement) {
    dateTimeSource() = std::move(replacement);
}

double secondsSinceMidnight() {
    if (source())
        return source()();
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void setSource(std::function<double()> replacement) {
    source() = std::move(replacement);
}

} // namespace clockreading
