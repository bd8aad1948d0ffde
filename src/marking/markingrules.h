// The numbers the marking rules are made of, each in one place with the reason it has.
#pragma once

#include "documents/memoloader.h"

namespace tallimark::rules {

// Typing speed is counted in standard words of five keystrokes, whatever the words typed.
inline constexpr int KeystrokesPerWord = 5;
// A speed test lasts ten minutes: the net words divided by this are the words per minute.
inline constexpr int TestMinutes = 10;

// A test needs as many characters as the shortest memo has before it can be compared.
inline constexpr int MinimumTestLength = MinimumMemoLength;
// No one types more in ten minutes; a longer text is not a speed test, or not one typed here.
inline constexpr int MaximumTestLength = 5000;

// Excess words cost a word with errors for every six characters of them, a word's length with
// its blank.
inline constexpr int ExcessCharactersPerWord = 6;

// Error words that the memo itself contains suggest a wrong memo or a memo cut in the wrong
// place; from this many on the result is flagged for the teacher to look at.
inline constexpr int UnreliableErrorWords = 6;

} // namespace tallimark::rules
