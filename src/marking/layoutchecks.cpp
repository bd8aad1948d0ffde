#include "layoutchecks.h"

#include "textpositions.h"

namespace tallimark {

// The two-blank style is checked over the first sentence ends only.
constexpr int SentenceEndsChecked = 15;

int countLines(QStringView text, int start)
{
    const QStringView scanned = text.left(std::max(0, start));
    // A CR as the very first character ends the scan without starting a line of its own.
    return int(scanned.count(QChar(13))) + (scanned.startsWith(QChar(13)) ? 0 : 1);
}

namespace {

void countPunctuation(QStringView text, int &stops, int &commas, int &marks)
{
    for (const QChar c : text) {
        if (c == u'.')
            ++stops;
        else if (c == u',')
            ++commas;
        else if (c == u'!' || c == u'?')
            ++marks;
    }
}

} // namespace

LayoutCounts countLayout(const QString &testText, const QString &memoText, int memoCutLength)
{
    LayoutCounts counts;
    counts.testLineFeeds = countLines(testText, int(testText.size()) - 1);
    counts.memoLineFeeds = countLines(memoText, memoCutLength - 1);
    countPunctuation(testText, counts.testStops, counts.testCommas, counts.testMarks);
    const qsizetype memoPart = std::min<qsizetype>(std::max(0, memoCutLength), memoText.size());
    countPunctuation(QStringView(memoText).left(memoPart), counts.memoStops, counts.memoCommas, counts.memoMarks);
    return counts;
}

namespace {

// Where the first ".", "?" or "!" followed by `after` is, at or after from; -1 when none. Without a
// full stop there is none, whatever else follows.
qsizetype firstSentenceEnd(QStringView text, const QString &after, qsizetype from)
{
    qsizetype end = text.indexOf(QString(u'.' + after), from);
    for (const QChar mark : {u'?', u'!'}) {
        const qsizetype other = text.indexOf(QString(mark + after), from);
        if (other >= 0 && other < end)
            end = other;
    }
    return end;
}

bool isBlankAt(QStringView text, qsizetype index)
{
    return index >= 0 && index < text.size() && text.at(index) == u' ';
}

// Two blanks after a letter, a blank, a comma or an apostrophe: blanks typed inside a sentence.
void checkDoubleBlank(QStringView t, WordErrors &errors)
{
    qsizetype from = 1;
    do {
        const qsizetype pair = t.indexOf(u"  ", from);
        if (pair < 0)
            return;
        const QChar c = t.at(pair - 1);
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        if (letter || c == u' ' || c == u',' || c == u'\'') {
            errors.append(DoubleBlankMark, int(pair));
            return;
        }
        from = pair + 1;
    } while (t.size() >= from + 3);
}

// The first sentence end sets the style, one blank after it or two; the first later one that
// keeps to the other style is an error.
void checkSentenceEndStyle(QStringView t, WordErrors &errors)
{
    const qsizetype first = firstSentenceEnd(t, QStringLiteral(" "), 0);
    if (first < 0 && t.indexOf(u"? ") < 0 && t.indexOf(u"! ") < 0)
        return;
    qsizetype end = first;
    const bool twoSpaceStyle = isBlankAt(t, end + 1) && isBlankAt(t, end + 2);
    if (!twoSpaceStyle) {
        const qsizetype twoBlanks = firstSentenceEnd(t, QStringLiteral("  "), end + 2);
        if (twoBlanks >= 0)
            errors.append(DoubleBlankMark, int(twoBlanks) + 1);
        return;
    }
    for (int round = 0; round < SentenceEndsChecked; ++round) {
        const qsizetype next = firstSentenceEnd(t, QStringLiteral(" "), end + 2);
        if (next < 0)
            break;
        if (!isBlankAt(t, next + 2)) {
            errors.append(SingleBlankMark, int(next) + 1);
            return;
        }
        end = next + 2;
    }
}

} // namespace

void checkSpacing(const QString &testText, WordErrors &errors)
{
    errors.wordErrorCount = errors.count;
    checkDoubleBlank(testText, errors);
    checkSentenceEndStyle(testText, errors);
}

} // namespace tallimark
