// Counters with the ranges the marking figures have always had: a count that leaves its range
// is the overflow failure, which ends the session, rather than a silently wrong result.
#pragma once

#include "documents/failure.h"

#include <QtGlobal>

namespace tallimark {

[[noreturn]] void throwOverflow();

template <typename Limits> class RangedCounter
{
public:
    constexpr RangedCounter() = default;
    RangedCounter(qint64 value) { set(value); } // NOLINT: counters read like numbers
    RangedCounter &operator=(qint64 value)
    {
        set(value);
        return *this;
    }
    RangedCounter &operator+=(qint64 delta)
    {
        set(m_value + delta);
        return *this;
    }
    RangedCounter &operator-=(qint64 delta)
    {
        set(m_value - delta);
        return *this;
    }
    RangedCounter &operator++() { return *this += 1; }
    RangedCounter &operator--() { return *this -= 1; }
    operator int() const { return m_value; } // NOLINT
    int value() const { return m_value; }

private:
    void set(qint64 value)
    {
        if (value < Limits::min || value > Limits::max)
            throwOverflow();
        m_value = int(value);
    }
    int m_value = 0;
};

struct Int16Limits
{
    static constexpr qint64 min = -32768, max = 32767;
};
struct ByteLimits
{
    static constexpr qint64 min = 0, max = 255;
};

using Int16 = RangedCounter<Int16Limits>;
using Byte = RangedCounter<ByteLimits>;

} // namespace tallimark
