// Runs the comparison stages of one test on plain texts, the way the session does, and spells out
// what they found so that a table row can state it in one line.
#pragma once

#include "marking/markingstate.h"
#include "marking/testcomparison.h"

#include "support/qstringprinting.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace tallimark::testing {

// A test that ends with these 42 characters, like its memo, is compared with the whole memo.
inline const QString Ending = QStringLiteral("and this sentence ends the memo text here.");

inline std::unique_ptr<MarkingState> compared(const QString &test, const QString &memo)
{
    auto state = std::make_unique<MarkingState>();
    compareWithMemo(*state, test, memo);
    return state;
}

// "D<doubled words>/<excess words they made errors> E[word@start/kind|...] R[word@start|...]
// X[excess|...] M[merged|...]", each part only when it has entries; a spacing error (after the
// word errors) has no kind.
inline QString described(const MarkingState &state)
{
    QStringList errors;
    for (int e = 1; e <= state.errorCount; ++e)
        errors << state.errorWords.at(e) + u'@' + QString::number(state.errorStarts.at(e))
                + (e <= state.wordErrorCount ? u'/' + QString::number(state.errorKinds.at(e)) : QString());
    QStringList repeats;
    for (int r = 1; r <= state.repeatCount; ++r)
        repeats << state.repeatWords.at(r) + u'@' + QString::number(state.repeatStarts.at(r));
    QStringList excess;
    for (int x = 1; x <= state.excess.count; ++x)
        excess << state.excess.words.at(x);
    QStringList parts;
    if (state.doubledCount > 0 || state.excess.doubleCounted > 0)
        parts << QStringLiteral("D%1/%2").arg(int(state.doubledCount)).arg(int(state.excess.doubleCounted));
    const std::pair<QChar, QStringList> lists[] = {
        {u'E', errors}, {u'R', repeats}, {u'X', excess}, {u'M', state.mergedList}};
    for (const auto &[letter, list] : lists) {
        if (!list.isEmpty())
            parts << letter + u'[' + list.join(u'|') + u']';
    }
    return parts.join(u' ');
}

} // namespace tallimark::testing
