// Cutting a text into words. A word keeps the one separator (blank, CR or LF) that ended it.
#pragma once

#include "slottable.h"

#include <QString>

namespace tallimark {

constexpr int WordSlots = 1500;
constexpr int CharSlots = 8000;

// The words of a text in slots 1..count, and where each starts in the text (0-based).
struct Words
{
    SlotTable<QString, WordSlots> words;
    SlotTable<int, CharSlots> starts;
    int count = 0;
    SkippedFailureSink skipped; // the split's, where a store that finds no slot reports itself

    const QString &at(int slot) const { return words.at(slot); }
    bool set(int slot, const QString &word) { return words.set(slot, word, skipped); }
    int startOf(int slot) const { return starts.at(slot); }
};

// Words past the last slot are not stored: the split stops adding words there, and reports it.
Words splitWords(const QString &text, const SkippedFailureSink &skipped);

} // namespace tallimark
