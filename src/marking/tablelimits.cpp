#include "tablelimits.h"

namespace tallimark {

Failure tableFullFailure()
{
    return Failure{ErrorNumber::SubscriptOutOfRange, QStringLiteral("Document too large...")};
}

} // namespace tallimark
