// Bringing test and memo into a comparable state: the blanks before line breaks after sentence
// ends, how much of the memo the test covers, and the keystroke count.
#pragma once

#include "counters.h"
#include "tablelimits.h"

#include "documents/richdocument.h"

namespace tallimark {

// Drops the blanks between ".", "!" or "?" and a line break in the rich-text source of both.
void normaliseSentenceEndSpacing(RichDocument &test, RichDocument &memo);

// Where in the memo the learner stopped: the length of the memo part the test is compared with.
// Its steps and their sizes are named where it is defined.
Int16 findMemoCut(const QString &testText, const QString &memoText);

// Keystrokes of one character: capitals and shifted signs take two, a line feed none, a
// character of the upper half of Windows-1252 three (it takes an Alt code).
int keystrokes(QChar c);
// The keystrokes of the whole text.
qint64 countCharacters(const QString &text, TableOverflows &overflows);

} // namespace tallimark
