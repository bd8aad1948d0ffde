#include "textpreparation.h"

#include "textpositions.h"

#include "documents/codepages.h"

#include <cstdlib>

namespace tallimark {

using namespace text;
using namespace Qt::StringLiterals;

namespace {

// The spacing rules of one document, in order.
QString withoutBlanksBeforeBreaks(QString source)
{
    for (const QChar mark : {u'.', u'!', u'?'}) {
        source.replace(QString(mark) + u"  \r"_s, QString(mark) + QChar(13));
        source.replace(QString(mark) + u" \r"_s, QString(mark) + QChar(13));
    }
    return source;
}

void normalise(RichDocument &document)
{
    const QString source = document.textRtf();
    const QString normalised = withoutBlanksBeforeBreaks(source);
    if (normalised != source)
        document.setTextRtf(normalised);
}

} // namespace

void normaliseSentenceEndSpacing(RichDocument &test, RichDocument &memo)
{
    // Each document's replacements depend on that document alone, so running all of one
    // document's before the other's gives what the interleaved order gives.
    normalise(test);
    normalise(memo);
}

void clearWordTables(MarkingState &state)
{
    const int last = std::min(state.splitCount + 5, WordSlots);
    for (int k = 1; k <= last; ++k) {
        state.splitWords[k].clear();
        state.errorWords[k].clear();
        state.testWords[k].clear();
        state.wordStarts[k] = 0;
    }
    state.excessCount = 0;
    state.errorCount = 0;
    state.repeatCount = 0;
    state.layout = {};
    state.reportText.clear();
}

namespace {

void cutAt(MarkingState &state, qint64 cut, const QString &memoText)
{
    state.memoMatched = true;
    state.memoCutLength = std::min<qint64>(cut, memoText.size());
}

void applyTailRule(MarkingState &state, const QString &tail, const QString &memoText)
{
    const int p = inStrRev(memoText, tail);
    if (p > 0)
        cutAt(state, qint64(p) + 41, memoText);
}

void applyPairRule(MarkingState &state, int n, const QString &a, const QString &b, const QString &memoText)
{
    int pa = inStrRev(memoText, a);
    int pb = inStrRev(memoText, b);
    if (pa <= 0 || pb <= 0)
        return;
    if (std::abs(pa - pb) > 75) {
        if (pa > pb)
            pa = inStrRev(memoText, a, pa);
        if (pb > pa)
            pb = inStrRev(memoText, b, pb);
    }
    if (pa > 0 && pb > 0 && std::abs(pa - pb) < 75) {
        state.memoMatched = true;
        state.memoCutLength = qint64(pa) + n + 21;
        // End the compared part at a word end.
        const int from = state.memoCutLength - 1;
        const int s = inStr(from, memoText, u" ");
        const int r = inStr(from, memoText, u"\r");
        if (s > 0)
            state.memoCutLength = (r == 0 || s < r) ? s : r;
    }
}

} // namespace

void findMemoCut(MarkingState &state, const QString &testText, const QString &memoText)
{
    const int length = int(testText.size());
    state.memoMatched = false;

    for (int n = 0; n <= 24 && !state.memoMatched; n += 3)
        applyTailRule(state, right(testText, 40 - n), memoText);

    for (int n = 36; n >= 18 && !state.memoMatched; n -= 3) {
        if (length - 40 >= 1)
            applyTailRule(state, mid(testText, length - 40, n), memoText);
    }

    for (int n = 1; n <= 18 && !state.memoMatched; ++n) {
        // A piece that would start before the test is no piece: the round is skipped.
        const int startA = length - 20 - n;
        const int startB = length - 50 - n;
        if (startA < 1 || startB < 1)
            continue;
        applyPairRule(state, n, mid(testText, startA, 12), mid(testText, startB, 12), memoText);
    }

    if (!state.memoMatched)
        cutAt(state, qint64(length) + 10, memoText);
}

int keystrokes(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'A' && u <= u'Z')
        return 2;
    switch (u) {
    case u'~': case u'!': case u'@': case u'#': case u'$': case u'%': case u'^': case u'&':
    case u'*': case u'(': case u')': case u'_': case u'{': case u'}': case u'|': case u':':
    case u'<': case u'>': case u'?': case u'"':
        return 2;
    case 10:
        return 0;
    default:
        break;
    }
    if (u < 128)
        return 1;
    const int byte = unicodeToCp1252(u);
    if (byte < 0)
        return 2; // the code page has no such character: it is typed as "?"
    return byte >= 128 ? 3 : 1;
}

qint64 countCharacters(const QString &text, const SkippedFailureSink &skipped)
{
    // The character table holds CharSlots characters; a longer text is reported once.
    if (text.size() > CharSlots && skipped)
        skipped(subscriptFailure());
    qint64 count = 0;
    for (const QChar c : text)
        count += keystrokes(c);
    return count;
}

} // namespace tallimark
