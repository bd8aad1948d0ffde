#include "resultcalculation.h"

#include "layoutdeductions.h"
#include "markingrules.h"
#include "numbertext.h"
#include "textpositions.h"

#include <cmath>

namespace tallimark {

using namespace Qt::StringLiterals;

double roundedResult(double wpm, Rounding rounding)
{
    switch (rounding) {
    case Rounding::Integer:
        return std::nearbyint(wpm);
    case Rounding::MultipleOf5:
        break;
    }
    // Whole tenths keep the steps exact: 22.5 is 225 tenths, plus 25 is 250, a multiple of 50.
    const auto tenths = qint64(std::nearbyint(wpm * 10));
    const qint64 n = tenths + 25;
    return double(n - n % 50) / 10;
}

int finalErrorCount(int errorEntries, const LayoutCounts &layout, const ExcessWords &excess)
{
    Int16 errorCount = errorEntries;
    errorCount += layoutRemarks(layout).size();
    errorCount = qint64(std::floor(double(excess.text.size()) / rules::ExcessCharactersPerWord)) + errorCount
        - excess.doubleCounted;
    // More doubled words than errors would otherwise add words to the result.
    if (errorCount < 0)
        errorCount = 0;
    if (!excess.text.isEmpty() && errorCount == 0)
        errorCount = 1;
    return errorCount;
}

ResultFigures calculateResult(qint64 charCount, int errorCount, Rounding rounding)
{
    ResultFigures result;
    result.charCount = charCount;
    result.errorCount = errorCount;
    result.grossWords = qint64(std::nearbyint(double(charCount) / rules::KeystrokesPerWord));
    result.wpm = double(result.grossWords - errorCount) / rules::TestMinutes;
    result.finalWpm = roundedResult(result.wpm, rounding);
    return result;
}

QString buildReport(const ResultFigures &result, const ExcessWords &excess, const LayoutCounts &layout)
{
    const QString &crlf = text::CRLF;
    QString report = crlf + u"|| "_s + numberText(result.charCount) + u"     "_s + numberText(qint64(result.errorCount))
        + u'm' + crlf;

    if (excess.count > 0) {
        report += u"Excess words: "_s;
        for (int x = 0; x < excess.count; ++x) {
            report += excess.word(x);
            if (x + 1 < excess.count)
                report += u", "_s;
        }
    }
    for (const QString &remark : layoutRemarks(layout))
        report += crlf + remark;

    const QString perWord = numberText(qint64(rules::KeystrokesPerWord));
    const QString minutes = numberText(qint64(rules::TestMinutes));
    const double netWords = result.wpm * rules::TestMinutes;
    report += crlf + text::trimBlanks(numberText(result.charCount)) + u" \u00F7 "_s + perWord + u" = "_s
        + numberText(result.grossWords) + crlf;
    report += u"Less no. of words with errors:  - "_s + numberText(qint64(result.errorCount)) + u" = "_s
        + numberText(netWords) + crlf + u"WPM = "_s + numberText(netWords) + u" \u00F7 "_s + minutes + u" = "_s
        + numberText(result.wpm) + u' ';
    report += u"        Final: "_s + numberText(result.finalWpm) + u" wpm "_s;
    return report;
}

} // namespace tallimark
