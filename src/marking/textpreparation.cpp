#include "textpreparation.h"

#include "textpositions.h"
#include "wordsplitter.h"

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

namespace {

// Where the compared part of the memo ends, once a rule has found it.
struct Cut
{
    bool matched = false;
    Int16 length;
};

void cutAt(Cut &cut, qint64 at, const QString &memoText)
{
    cut.matched = true;
    cut.length = std::min<qint64>(at, memoText.size());
}

void applyTailRule(Cut &cut, const QString &tail, const QString &memoText)
{
    const int p = inStrRev(memoText, tail);
    if (p > 0)
        cutAt(cut, qint64(p) + 41, memoText);
}

void applyPairRule(Cut &cut, int n, const QString &a, const QString &b, const QString &memoText)
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
        cut.matched = true;
        cut.length = qint64(pa) + n + 21;
        // End the compared part at a word end.
        const int from = cut.length - 1;
        const int s = inStr(from, memoText, u" ");
        const int r = inStr(from, memoText, u"\r");
        if (s > 0)
            cut.length = (r == 0 || s < r) ? s : r;
    }
}

} // namespace

Int16 findMemoCut(const QString &testText, const QString &memoText)
{
    const int length = int(testText.size());
    Cut cut;

    for (int n = 0; n <= 24 && !cut.matched; n += 3)
        applyTailRule(cut, right(testText, 40 - n), memoText);

    for (int n = 36; n >= 18 && !cut.matched; n -= 3) {
        if (length - 40 >= 1)
            applyTailRule(cut, mid(testText, length - 40, n), memoText);
    }

    for (int n = 1; n <= 18 && !cut.matched; ++n) {
        // A piece that would start before the test is no piece: the round is skipped.
        const int startA = length - 20 - n;
        const int startB = length - 50 - n;
        if (startA < 1 || startB < 1)
            continue;
        applyPairRule(cut, n, mid(testText, startA, 12), mid(testText, startB, 12), memoText);
    }

    if (!cut.matched)
        cutAt(cut, qint64(length) + 10, memoText);
    return cut.length;
}

int keystrokes(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'A' && u <= u'Z')
        return 2;
    switch (u) {
    case u'~':
    case u'!':
    case u'@':
    case u'#':
    case u'$':
    case u'%':
    case u'^':
    case u'&':
    case u'*':
    case u'(':
    case u')':
    case u'_':
    case u'{':
    case u'}':
    case u'|':
    case u':':
    case u'<':
    case u'>':
    case u'?':
    case u'"':
        return 2;
    case 10:
        return 0;
    default:
        break;
    }
    if (u < 128)
        return 1;
    // The five codes Windows-1252 leaves undefined come back from the reader as U+0081 and so
    // on; they are codes 128 to 255 like the others, so they count 3.
    if (u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D)
        return 3;
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
