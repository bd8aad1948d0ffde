#include "resultcalculation.h"

#include "numbertext.h"
#include "textpositions.h"

#include <cmath>

namespace tallimark {

using namespace Qt::StringLiterals;

double roundedResult(double wpm, bool asInteger)
{
    if (asInteger)
        return std::nearbyint(wpm);
    // Whole tenths keep the steps exact: 22.5 is 225 tenths, plus 25 is 250, a multiple of 50.
    const auto tenths = qint64(std::nearbyint(wpm * 10));
    const qint64 n = tenths + 25;
    return double(n - n % 50) / 10;
}

void calculateResult(MarkingState &state)
{
    if (state.layout.testLineFeeds != state.layout.memoLineFeeds)
        ++state.errorCount;
    if (state.layout.testStops < state.layout.memoStops)
        ++state.errorCount;
    if (state.layout.testCommas < state.layout.memoCommas)
        ++state.errorCount;
    if (state.layout.testMarks < state.layout.memoMarks)
        ++state.errorCount;
    state.errorCount = qint64(std::floor(double(state.excessText.size()) / 6)) + state.errorCount - state.doubleCounted;
    // More doubled words than errors would otherwise add words to the result.
    if (state.errorCount < 0)
        state.errorCount = 0;
    if (!state.excessText.isEmpty() && state.errorCount == 0)
        state.errorCount = 1;
    state.grossWords = qint64(std::nearbyint(double(state.charCount) / 5));
    state.wpm = double(state.grossWords - state.errorCount) / 10;
    state.unroundedWpm = state.wpm;
}

void buildReport(MarkingState &state, bool resultAsInteger)
{
    const QString &crlf = text::CRLF;
    state.reportText = crlf + u"|| "_s + numberText(state.charCount) + u"     "_s
                       + numberText(qint64(state.errorCount)) + u'm' + crlf;

    QString remarks;
    if (state.excessCount > 0) {
        remarks = u"Excess words: "_s;
        for (int x = 1; x <= state.excessCount; ++x) {
            remarks += state.excessWords.at(x);
            if (x < state.excessCount)
                remarks += u", "_s;
        }
    }
    if (state.layout.testLineFeeds != state.layout.memoLineFeeds)
        remarks += crlf + u"Wrong number of line feeds"_s;
    if (state.layout.testStops < state.layout.memoStops)
        remarks += crlf + u"Missing full stop(s)"_s;
    if (state.layout.testCommas < state.layout.memoCommas)
        remarks += crlf + u"Missing comma(s)"_s;
    if (state.layout.testMarks < state.layout.memoMarks)
        remarks += crlf + u"Missing <!> or <?>"_s;
    state.reportText += remarks;

    state.reportText += crlf + text::trimBlanks(numberText(state.charCount)) + u" \u00F7 5 = "_s
                        + numberText(state.grossWords) + crlf;
    state.reportText += u"Less no. of words with errors:  - "_s + numberText(qint64(state.errorCount)) + u" = "_s
                        + numberText(state.wpm * 10) + crlf + u"WPM = "_s + numberText(state.wpm * 10)
                        + u" \u00F7 10 = "_s + numberText(state.wpm) + u' ';

    state.wpm = roundedResult(state.wpm, resultAsInteger);
    state.reportText += u"        Final: "_s + numberText(state.wpm) + u" wpm "_s;
}

} // namespace tallimark
