// From the counts to the result: the words with errors, the words per minute, the rounding of
// the final result, and the report block appended to the marked copy.
#pragma once

#include "excesswords.h"
#include "roundingsetting.h"
#include "testoutcome.h"

namespace tallimark {

// The final result from the unrounded one: to the nearest integer (ties to even), or to a
// multiple of 5 computed on whole tenths.
double roundedResult(double wpm, Rounding rounding);

// The words with errors after the deductions: the error entries, a word for a different number
// of lines and for each punctuation kind the test has fewer of, a word per six characters of
// excess words, less the excess words already counted as errors.
int finalErrorCount(int errorEntries, const LayoutCounts &layout, const ExcessWords &excess);

// The result from the keystrokes and the final error count, rounded as the teacher chose.
ResultFigures calculateResult(qint64 charCount, int errorCount, Rounding rounding);

// The report block: the figures, the excess words and the missing items.
QString buildReport(const ResultFigures &result, const ExcessWords &excess, const LayoutCounts &layout);

} // namespace tallimark
