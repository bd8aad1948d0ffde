// From the counts to the result: the words with errors, the words per minute, the rounding of
// the final result, and the report block appended to the marked copy.
#pragma once

#include "markingstate.h"

namespace tallimark {

// The final result from the unrounded one: to the nearest integer (ties to even), or to a
// multiple of 5 computed on whole tenths.
double roundedResult(double wpm, bool asInteger);

// Adds the layout, punctuation and excess-word deductions to errorCount and fills the result
// figures but the final one.
void calculateResult(MarkingState &state);

// Builds reportText from the figures and rounds wpm to the final result.
void buildReport(MarkingState &state, bool resultAsInteger);

} // namespace tallimark
