#include "textpreparation.h"

#include "textpositions.h"
#include "wordsplitter.h"

#include "documents/codepages.h"

#include <cstdlib>
#include <optional>

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

// Where the learner stopped is found by looking for the end of the test in the memo, in three
// steps from the surest to the loosest; the first that finds it decides. Each looks for the last
// occurrence in the memo, as a test is typed from the start of the memo.

// Step 1: the test's last characters, from 40 down to 16 of them, three fewer each time.
constexpr int LongestTail = 40;
constexpr int ShortestTail = 16;
// Step 2: when the learner's last words are wrong, a piece just before them: starting 41
// characters before the end of the test, from 36 characters long down to 18.
constexpr int PieceStartBeforeEnd = 41;
constexpr int LongestPiece = 36;
constexpr int ShortestPiece = 18;
constexpr int TailStep = 3;
// Steps 1 and 2 end the memo part 42 characters after where the piece found starts: past the
// longest tail and two characters more, so that a word the learner had begun is compared whole.
constexpr int CutAfterPieceStart = 42;

// Step 3: two 12-character pieces 30 apart, which must both be in the memo and less than 75
// characters apart there; the near one starts 21 + shift characters before the end of the test,
// for shifts 1 to 18, so that errors in one place do not hide the position. The memo part then
// ends after the first blank or CR from the test's last character on (or one character past the
// test's end when there is none).
constexpr int PairPieceLength = 12;
constexpr int NearPieceBeforeEnd = 21;
constexpr int FarPieceBeforeEnd = 51;
constexpr int PairShifts = 18;
constexpr int PairDistanceLimit = 75; // pieces this far apart or more are no pair

// Nothing found: the memo part is the test's length and 10 characters more.
constexpr int UnmatchedSlack = 10;

// Where the last occurrence of needle lying wholly within the first `within` characters starts,
// or -1. An empty needle is found at `within` when the text is not empty.
qsizetype lastStart(QStringView text, QStringView needle, qsizetype within)
{
    if (text.isEmpty())
        return -1;
    within = std::min(within, text.size());
    if (needle.isEmpty())
        return within;
    const qsizetype last = within - needle.size();
    return last < 0 ? -1 : text.lastIndexOf(needle, last);
}

qsizetype lastStart(QStringView text, QStringView needle)
{
    return lastStart(text, needle, text.size());
}

std::optional<qsizetype> cutAfterPiece(QStringView piece, QStringView memo)
{
    const qsizetype at = lastStart(memo, piece);
    if (at < 0)
        return std::nullopt;
    return std::min(at + CutAfterPieceStart, memo.size());
}

std::optional<qsizetype> cutAfterTail(QStringView test, QStringView memo)
{
    for (int length = LongestTail; length >= ShortestTail; length -= TailStep) {
        if (const auto cut = cutAfterPiece(test.right(length), memo))
            return cut;
    }
    return std::nullopt;
}

std::optional<qsizetype> cutAfterPieceBeforeTail(QStringView test, QStringView memo)
{
    const qsizetype start = test.size() - PieceStartBeforeEnd;
    if (start < 0)
        return std::nullopt;
    for (int length = LongestPiece; length >= ShortestPiece; length -= TailStep) {
        if (const auto cut = cutAfterPiece(test.sliced(start).left(length), memo))
            return cut;
    }
    return std::nullopt;
}

std::optional<qsizetype> cutAfterPair(QStringView test, QStringView memo)
{
    for (int shift = 1; shift <= PairShifts; ++shift) {
        const qsizetype nearStart = test.size() - NearPieceBeforeEnd - shift;
        const qsizetype farStart = test.size() - FarPieceBeforeEnd - shift;
        if (farStart < 0)
            continue;
        const QStringView nearPiece = test.sliced(nearStart, PairPieceLength);
        const QStringView farPiece = test.sliced(farStart, PairPieceLength);
        qsizetype near = lastStart(memo, nearPiece);
        qsizetype far = lastStart(memo, farPiece);
        if (near < 0 || far < 0)
            continue;
        // Too far apart: the later of the two is looked for once more, before where it was found;
        // then the far one, if it is still the later.
        if (std::abs(near - far) > PairDistanceLimit) {
            if (near > far)
                near = lastStart(memo, nearPiece, near + 1);
            if (far > near)
                far = lastStart(memo, farPiece, far + 1);
        }
        if (near < 0 || far < 0 || std::abs(near - far) >= PairDistanceLimit)
            continue;
        const qsizetype testEnd = near + NearPieceBeforeEnd + shift;
        const Int16 cut = testEnd + 1; // a cut past the 16-bit range overflows here, before the word end
        const qsizetype blank = memo.indexOf(u' ', testEnd - 1);
        const qsizetype lineEnd = memo.indexOf(QChar(13), testEnd - 1);
        if (blank < 0)
            return cut;
        return (lineEnd < 0 || blank < lineEnd ? blank : lineEnd) + 1;
    }
    return std::nullopt;
}

} // namespace

Int16 findMemoCut(const QString &testText, const QString &memoText)
{
    for (const auto step : {cutAfterTail, cutAfterPieceBeforeTail, cutAfterPair}) {
        if (const auto cut = step(testText, memoText))
            return *cut;
    }
    return std::min(testText.size() + UnmatchedSlack, memoText.size());
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

qint64 countCharacters(const QString &text, TableOverflows &overflows)
{
    overflows.checkText(text.size());
    qint64 count = 0;
    for (const QChar c : text)
        count += keystrokes(c);
    return count;
}

} // namespace tallimark
