// The class table as the teacher sees it: one row per learner, the current result. Shared by the
// results window, the class pack and the command line so that all show the same columns.
#pragma once

#include "classrecord.h"

#include <QString>
#include <QStringList>

namespace tallimark {

namespace ClassTableColumn {
enum : int {
    Learner,
    MarkedAt,
    MemoLanguage,
    Keystrokes,
    GrossWords,
    WordsWithErrors,
    FinalResult,
    Change,
    Verdict,
    Remarks,
    Count
};
}

QStringList classTableHeader();
// The shown text of each column; empty where a rejected test has no figure.
QStringList classTableFields(const LearnerResult &result, const QString &decimalSeparator);

// The table as CSV, header first, rows in the given order.
QString classTableCsv(const QList<LearnerResult> &results);

} // namespace tallimark
