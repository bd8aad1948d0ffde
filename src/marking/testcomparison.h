// The comparison of one test with its memo, from the memo cut to the spacing check: everything
// between loading the documents and highlighting the errors.
#pragma once

#include "comparedmemo.h"
#include "excesswords.h"
#include "testoutcome.h"
#include "worderrors.h"

namespace tallimark {

// What comparing one test with its memo found.
struct Comparison
{
    qint64 charCount = 0; // the keystrokes of the test, trailing blanks left out
    WordErrors errors;
    ExcessWords excess;
    LayoutCounts layout;
};

// testText is the test's plain text after the sentence-end spacing was normalised, and memo
// holds the memo's text normalised the same way; the comparison cuts the memo where the test
// ends. The stores its tables refuse are counted in overflows, also when a counter's overflow
// ends the comparison.
Comparison compareWithMemo(const QString &testText, ComparedMemo &memo, TableOverflows &overflows);

} // namespace tallimark
