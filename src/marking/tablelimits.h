// The fixed sizes of the marking's tables. Results have always depended on them: a text with
// more words, errors or characters than a table holds is marked with what fits. Every store that
// finds no room is counted here; the session reports each one ("Document too large...") and
// marking goes on.
#pragma once

#include "documents/failure.h"

#include <QtGlobal>

namespace tallimark {

namespace limits {
// Words of a text; word entries of the errors, repeats and excess words.
inline constexpr int Words = 1500;
// Characters of a text; the starts of errors and repeats.
inline constexpr int Characters = 8000;
// The different word cores the excess-word count collects.
inline constexpr int WordCores = 1000;
} // namespace limits

// The stores the tables refused while one test was compared.
class TableOverflows
{
public:
    // Whether entry index (0-based) fits a table of the given size; one that does not is counted.
    bool fits(qsizetype index, int size)
    {
        if (index < size)
            return true;
        refuse();
        return false;
    }
    // A store refused without asking first: the table was full already.
    void refuse() { ++m_count; }
    // A text goes through the character table once per pass over it; a longer one is counted.
    void checkText(qsizetype length) { fits(length - 1, limits::Characters); }

    int count() const { return m_count; }

private:
    int m_count = 0;
};

// What the error handling shows for a store a table refused.
Failure tableFullFailure();

} // namespace tallimark
