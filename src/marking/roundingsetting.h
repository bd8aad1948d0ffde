// How the final result is rounded: the two check marks of the Settings menu. Exactly one is
// checked; the program starts at "multiple of 5" and choosing an item never toggles it.
#pragma once

#include <QString>

#include <optional>

namespace tallimark {

enum class Rounding { Integer, MultipleOf5 };
inline constexpr Rounding Roundings[] = {Rounding::Integer, Rounding::MultipleOf5};

// The rounding as the class record names it, and back.
QString roundingName(Rounding rounding);
std::optional<Rounding> roundingFromName(const QString &name);

class RoundingSetting
{
public:
    void setRounding(Rounding rounding) { m_rounding = rounding; }
    Rounding rounding() const { return m_rounding; }

private:
    Rounding m_rounding = Rounding::MultipleOf5;
};

} // namespace tallimark
