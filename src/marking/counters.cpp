#include "counters.h"

namespace tallimark {

void throwOverflow()
{
    throw FailureException(Failure{ErrorNumber::Overflow, QStringLiteral("Overflow")});
}

} // namespace tallimark
