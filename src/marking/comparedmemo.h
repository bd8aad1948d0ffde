// The memo as one test is compared with it: its whole text, which the checks search through an
// index because they ask it dozens of times per test, and the words of the part the test covers.
#pragma once

#include "memoindex.h"
#include "memotextindex.h"
#include "wordsplitter.h"

#include <QString>

namespace tallimark {

class ComparedMemo
{
public:
    ComparedMemo() = default;
    Q_DISABLE_COPY_MOVE(ComparedMemo) // the index points at the words

    // The memo's whole plain text; indexed unless it is the text indexed last (a session
    // compares most tests with the same memo).
    void setText(const QString &text);
    // The part a test is compared with: the first memoCutLength characters, cut into words.
    void setCutLength(int memoCutLength, TableOverflows &overflows);

    const QString &text() const { return m_text; }
    int cutLength() const { return m_cutLength; }
    const Words &words() const { return m_words; }
    const MemoIndex &index() const { return m_index; }

    // Whether the whole text contains the needle (an empty needle: when the text is not empty).
    bool contains(QStringView needle) const { return m_textIndex.contains(needle); }

private:
    QString m_text;
    int m_cutLength = 0;
    Words m_words;
    MemoIndex m_index;
    MemoTextIndex m_textIndex;
};

} // namespace tallimark
