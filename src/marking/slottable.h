// A table with fixed slots 0..Last. Storing past the last slot does not happen: the store is
// skipped and reported as the subscript failure, and reading past it gives an empty value.
#pragma once

#include "documents/failure.h"

#include <QString>

#include <functional>
#include <vector>

namespace tallimark {

using SkippedFailureSink = std::function<void(const Failure &)>;

Failure subscriptFailure();

template <typename T, int Last> class SlotTable
{
public:
    static constexpr int lastSlot = Last;

    static bool inRange(int slot) { return slot >= 0 && slot <= Last; }

    // Returns false (and reports) when the slot does not exist.
    bool set(int slot, const T &value, const SkippedFailureSink &skipped)
    {
        if (!inRange(slot)) {
            if (skipped)
                skipped(subscriptFailure());
            return false;
        }
        (*this)[slot] = value;
        return true;
    }
    // For stores that cannot leave the table (the caller keeps within the bounds).
    T &operator[](int slot)
    {
        Q_ASSERT(inRange(slot));
        if (size_t(slot) >= m_slots.size())
            m_slots.resize(size_t(slot) + 1);
        return m_slots[size_t(slot)];
    }
    const T &at(int slot) const
    {
        static const T empty{};
        return slot >= 0 && size_t(slot) < m_slots.size() ? m_slots[size_t(slot)] : empty;
    }

private:
    // Only the slots up to the highest one stored take memory: a test fills a few hundred of
    // the thousands a table has, and the tables are made anew for every test.
    std::vector<T> m_slots;
};

} // namespace tallimark
