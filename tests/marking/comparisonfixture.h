// Runs the comparison stages of one test on plain texts, the way the session does, and spells out
// what they found so that a table row can state it in one line.
#pragma once

#include "marking/testcomparison.h"

#include "support/qstringprinting.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace tallimark::testing {

// A test that ends with these 42 characters, like its memo, is compared with the whole memo.
inline const QString Ending = QStringLiteral("and this sentence ends the memo text here.");

// A memo and what comparing one test with it found; the memo stays for lookups afterwards.
struct ComparedTest
{
    ComparedMemo memo;
    TableOverflows overflows;
    Comparison found;
};

inline std::unique_ptr<ComparedTest> compared(const QString &test, const QString &memo)
{
    auto result = std::make_unique<ComparedTest>();
    result->memo.setText(memo);
    result->found = compareWithMemo(test, result->memo, result->overflows);
    return result;
}

// "D<doubled words>/<excess words they made errors> E[word@start/kind|...] R[word@start|...]
// X[excess|...] M[merged|...]", each part only when it has entries; a spacing error (after the
// word errors) has no kind. Starts are counted from 1 here, as an editor counts columns.
inline QString described(const WordErrors &found, const ExcessWords &excessWords = {})
{
    QStringList errors;
    for (int e = 0; e < found.count; ++e)
        errors << found.entry(e).word + u'@' + QString::number(found.entry(e).start + 1)
                + (e < found.wordErrorCount ? u'/' + QString::number(int(found.entry(e).kind)) : QString());
    QStringList repeats;
    for (int r = 0; r < found.repeatCount; ++r)
        repeats << found.repeat(r).word + u'@' + QString::number(found.repeat(r).start + 1);
    QStringList excess;
    for (int x = 0; x < excessWords.count; ++x)
        excess << excessWords.word(x);
    QStringList parts;
    if (found.doubledCount > 0 || excessWords.doubleCounted > 0)
        parts << QStringLiteral("D%1/%2").arg(int(found.doubledCount)).arg(int(excessWords.doubleCounted));
    const std::pair<QChar, QStringList> lists[] = {
        {u'E', errors}, {u'R', repeats}, {u'X', excess}, {u'M', found.merged}};
    for (const auto &[letter, list] : lists) {
        if (!list.isEmpty())
            parts << letter + u'[' + list.join(u'|') + u']';
    }
    return parts.join(u' ');
}

} // namespace tallimark::testing
