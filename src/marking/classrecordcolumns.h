// The columns of the class record, shared by its writer and its reader.
#pragma once

#include <QString>
#include <QStringList>

namespace tallimark::recordcolumns {

enum Column {
    MarkedAt,
    Learner,
    Source,
    MarkedCopy,
    Language,
    Keystrokes,
    GrossWords,
    WordsWithErrors,
    Wpm,
    FinalResult,
    Rounding,
    Verdict,
    Remarks,
    ColumnCount
};

// The header's names, in file order.
inline const QStringList &headerNames()
{
    using namespace Qt::StringLiterals;
    static const QStringList names{u"Marked at"_s,     u"Learner"_s,      u"Source"_s,      u"Marked copy"_s,
                                   u"Memo language"_s, u"Keystrokes"_s,   u"Gross words"_s, u"Words with errors"_s,
                                   u"WPM"_s,           u"Final result"_s, u"Rounding"_s,    u"Verdict"_s,
                                   u"Remarks"_s};
    return names;
}

} // namespace tallimark::recordcolumns
