#include "unmarkedtests.h"

namespace tallimark {

using namespace Qt::StringLiterals;

bool isUnmarkedTest(const ClassRecordRow &row)
{
    return !row.isMarked() && !row.resultUnreadable;
}

QString unmarkedReason(const ClassRecordRow &row)
{
    QString verdict = row.verdictText();
    if (row.remarks.isEmpty())
        return verdict;
    if (verdict.isEmpty())
        return row.remarks;
    return verdict + u": "_s + row.remarks;
}

} // namespace tallimark
