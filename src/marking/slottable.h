// A table with fixed slots 0..Last. Storing past the last slot does not happen: the store is
// skipped and reported as the subscript failure, and reading past it gives an empty value.
#pragma once

#include "documents/failure.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>

namespace tallimark {

using SkippedFailureSink = std::function<void(const Failure &)>;

Failure subscriptFailure();

template <typename T, int Last> class SlotTable
{
public:
    static constexpr int lastSlot = Last;

    SlotTable() : m_slots(std::make_unique<std::array<T, Last + 1>>()) { }

    static bool inRange(int slot) { return slot >= 0 && slot <= Last; }

    // Returns false (and reports) when the slot does not exist.
    bool set(int slot, const T &value, const SkippedFailureSink &skipped)
    {
        if (!inRange(slot)) {
            if (skipped)
                skipped(subscriptFailure());
            return false;
        }
        (*m_slots)[size_t(slot)] = value;
        return true;
    }
    // For stores that cannot leave the table (the caller keeps within the bounds).
    T &operator[](int slot)
    {
        Q_ASSERT(inRange(slot));
        return (*m_slots)[size_t(slot)];
    }
    const T &at(int slot) const
    {
        static const T empty{};
        return inRange(slot) ? (*m_slots)[size_t(slot)] : empty;
    }

private:
    std::unique_ptr<std::array<T, Last + 1>> m_slots;
};

} // namespace tallimark
