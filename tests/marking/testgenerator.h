// Speed tests made up from a memo the way learners get them wrong: typos, words split or run
// together, doubled words, lines typed twice, lost punctuation, stray blanks, an unfinished end.
#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace tallimark::testing {

inline QString generatedMemo(QRandomGenerator &random, int length)
{
    static const QStringList words = QStringLiteral("the farm cows walked slowly to milking shed every morning and "
                                                    "farmer's well-known dog barked at a gate while children watched "
                                                    "from bus something Mr Smith said 50% \u00E9clair that was it")
                                         .split(u' ');
    static const QStringList ends = {QStringLiteral(". "), QStringLiteral(", "),    QStringLiteral("? "),
                                     QStringLiteral("! "), QStringLiteral(".\r\n"), QStringLiteral("; ")};
    QString memo;
    bool capital = true;
    while (memo.size() < length) {
        QString word = words.at(random.bounded(int(words.size())));
        if (capital)
            word[0] = word[0].toUpper();
        memo += word;
        capital = false;
        if (random.bounded(8) == 0) {
            const QString end = ends.at(random.bounded(int(ends.size())));
            memo += end;
            capital = end.startsWith(u'.') || end.startsWith(u'?') || end.startsWith(u'!');
        } else {
            memo += u' ';
        }
    }
    return memo;
}

inline QString generatedTest(QRandomGenerator &random, const QString &memo)
{
    const int typed = int(memo.size()) / 3 + random.bounded(int(memo.size()) * 2 / 3);
    QStringList words = memo.left(typed).split(u' ');
    QStringList out;
    for (qsizetype k = 0; k < words.size(); ++k) {
        QString word = words.at(k);
        // clang-format off
        switch (random.bounded(40)) {
        case 0: if (word.size() > 2) std::swap(word[1], word[2]); break;         // typo
        case 1: if (word.size() > 3) word.insert(word.size() / 2, u' '); break; // split in two
        case 2: if (k + 1 < words.size()) word += words.at(++k); break;         // run together with the next
        case 3: out.append(word); break;                                        // doubled
        case 4:                                                                 // a stretch typed twice
            for (qsizetype j = std::max<qsizetype>(0, k - 6); j < k; ++j)
                out.append(words.at(j));
            break;
        case 5: word.remove(u'.'); word.remove(u','); break;                    // punctuation lost
        case 6: word += u' '; break;                                            // stray blank
        case 7: word = word.toUpper(); break;
        case 8: word.remove(u'-'); word.remove(u'\''); break;                  // hyphen or apostrophe left out
        default: break;
        }
        // clang-format on
        out.append(word);
    }
    QString test = out.join(u' ');
    if (random.bounded(3) == 0 && test.size() > 3)
        test.chop(random.bounded(3) + 1); // an unfinished last word
    return test;
}

} // namespace tallimark::testing
