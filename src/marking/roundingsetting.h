// How the final result is rounded: the two check marks of the Settings menu. Exactly one is
// checked; the program starts at "multiple of 5" and choosing an item never toggles it.
#pragma once

namespace tallimark {

enum class Rounding { Integer, MultipleOf5 };

class RoundingSetting
{
public:
    void setRounding(Rounding rounding) { m_rounding = rounding; }
    Rounding rounding() const { return m_rounding; }
    // What the result calculation reads.
    bool resultAsInteger() const { return m_rounding == Rounding::Integer; }

private:
    Rounding m_rounding = Rounding::MultipleOf5;
};

} // namespace tallimark
