#include "roundingsetting.h"

namespace tallimark {

using namespace Qt::StringLiterals;

QString roundingName(Rounding rounding)
{
    switch (rounding) {
    case Rounding::Integer:
        return u"integer"_s;
    case Rounding::MultipleOf5:
        return u"multiple of 5"_s;
    }
    return {};
}

std::optional<Rounding> roundingFromName(const QString &name)
{
    for (const Rounding rounding : Roundings) {
        if (name == roundingName(rounding))
            return rounding;
    }
    return std::nullopt;
}

} // namespace tallimark
