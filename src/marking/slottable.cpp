#include "slottable.h"

namespace tallimark {

Failure subscriptFailure()
{
    // What the error handling shows for a table that is full.
    return Failure{ErrorNumber::SubscriptOutOfRange, QStringLiteral("Document too large...")};
}

} // namespace tallimark
