#include "unmarkedtests.h"

namespace tallimark {

using namespace Qt::StringLiterals;

bool isUnmarkedTest(const ClassRecordRow &row)
{
    return !row.isMarked() && !row.resultUnreadable;
}

QString unmarkedReason(const ClassRecordRow &row)
{
    if (row.remarks.isEmpty())
        return row.verdict;
    if (row.verdict.isEmpty())
        return row.remarks;
    return row.verdict + u": "_s + row.remarks;
}

} // namespace tallimark
