// The layout items a test can lack. Each one costs a word with errors, and the report block and
// the class record name it; this table is the only list of them.
#pragma once

#include "testoutcome.h"

#include <QStringList>
#include <QStringView>

namespace tallimark {

struct LayoutDeduction
{
    bool (*applies)(const LayoutCounts &counts);
    QStringView remark; // as the report block and the class record write it
};

inline constexpr LayoutDeduction LayoutDeductions[] = {
    {[](const LayoutCounts &c) { return c.testLineFeeds != c.memoLineFeeds; }, u"Wrong number of line feeds"},
    {[](const LayoutCounts &c) { return c.testStops < c.memoStops; }, u"Missing full stop(s)"},
    {[](const LayoutCounts &c) { return c.testCommas < c.memoCommas; }, u"Missing comma(s)"},
    {[](const LayoutCounts &c) { return c.testMarks < c.memoMarks; }, u"Missing <!> or <?>"},
};

// The remarks of the deductions that apply, in the table's order.
inline QStringList layoutRemarks(const LayoutCounts &counts)
{
    QStringList remarks;
    for (const LayoutDeduction &deduction : LayoutDeductions) {
        if (deduction.applies(counts))
            remarks.append(deduction.remark.toString());
    }
    return remarks;
}

} // namespace tallimark
