#pragma once

#include <QDateTime>

#include <functional>

// The clock the quiz run is timed with: seconds since midnight, with fractions.
namespace clockreading {

double secondsSinceMidnight();

// Testing: replaces the real clock; an empty function restores it.
void setSource(std::function<double()> source);

// The date and time the records of runs take, and that reviews fall due by.
QDateTime currentDateTime();
// Testing: another day; an empty function restores the computer's.
void setDateTimeSource(std::function<QDateTime()> source);

} // namespace clockreading
