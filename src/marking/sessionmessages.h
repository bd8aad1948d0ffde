// The messages with which a failure ends a marking session.
#pragma once

#include "documents/failure.h"

#include <QString>

#include <optional>

namespace tallimark {

// The message box text for a failure that ends the session, naming the file and the system's
// reason after its own text; nothing for a failure the session skips. currentTestLabel is the
// path of the test being marked, which the overflow message names.
std::optional<QString> sessionEndingMessage(const Failure &failure, const QString &currentTestLabel);

} // namespace tallimark
