// One marked or rejected test as a JSON object, for school systems and for checking a result.
#pragma once

#include "marking/testoutcome.h"

#include <QByteArray>

namespace tallimark::cli {

// One line of JSON Lines, without the line end.
QByteArray outcomeJsonLine(const TestOutcome &outcome);

} // namespace tallimark::cli
