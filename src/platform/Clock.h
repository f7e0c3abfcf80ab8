#pragma once

#include <functional>

// The clock the quiz run is timed with: seconds since midnight, with fractions.
namespace clockreading {

double secondsSinceMidnight();

// Testing: replaces the real clock; an empty function restores it.
void setSource(std::function<double()> source);

} // namespace clockreading
