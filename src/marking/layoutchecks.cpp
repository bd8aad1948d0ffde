#include "layoutchecks.h"

#include "textpositions.h"

namespace tallimark {

using namespace text;

int countLines(const QString &text, int start)
{
    int lines = 0;
    int q = start;
    for (;;) {
        const int found = q >= 1 ? inStrRev(text, u"\r", q) : 0;
        ++lines;
        if (found == 0)
            break;
        q = found - 1;
        if (q == 0)
            break;
    }
    return lines;
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

// The first of ".", "?" and "!" followed by `after`, at or after start; 0 when none.
int firstSentenceEnd(const QString &text, const QString &after, int start)
{
    int a = inStr(start, text, u'.' + after);
    const int b = inStr(start, text, u'?' + after);
    const int c = inStr(start, text, u'!' + after);
    if (b > 0 && b < a)
        a = b;
    if (c > 0 && c < a)
        a = c;
    return a;
}

bool isBlankAt(const QString &text, int position)
{
    return position >= 1 && position <= text.size() && text.at(position - 1) == u' ';
}

void checkDoubleBlank(const QString &t, WordErrors &errors, const SkippedFailureSink &skipped)
{
    int s = 2;
    do {
        const int p = inStr(s, t, u"  ");
        if (p == 0)
            return;
        const QChar c = p >= 2 ? t.at(p - 2) : QChar();
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        if (letter || c == u' ' || c == u',' || c == u'\'') {
            errors.append(DoubleBlankMark, p, skipped);
            return;
        }
        // Searching again from s + 1 up to p finds the same pair; go straight past it.
        s = p + 1;
    } while (t.size() >= s + 2);
}

void checkSentenceEndStyle(const QString &t, WordErrors &errors, const SkippedFailureSink &skipped)
{
    const QString blank = QStringLiteral(" ");
    const int a0 = inStr(t, u". ");
    const int b = inStr(t, u"? ");
    const int c = inStr(t, u"! ");
    if (a0 == 0 && b == 0 && c == 0)
        return;
    int a = a0;
    if (b > 0 && b < a)
        a = b;
    if (c > 0 && c < a)
        a = c;
    // The first sentence end sets the style: one blank after it, or two.
    const bool twoSpaceStyle = isBlankAt(t, a + 1) && isBlankAt(t, a + 2);
    if (!twoSpaceStyle) {
        const int a2 = firstSentenceEnd(t, QStringLiteral("  "), a + 2);
        if (a2 > 0)
            errors.append(DoubleBlankMark, a2 + 1, skipped);
        return;
    }
    for (int round = 0; round < 15; ++round) {
        const int a2 = firstSentenceEnd(t, blank, a + 2);
        if (a2 == 0)
            break;
        if (!isBlankAt(t, a2 + 2)) {
            errors.append(SingleBlankMark, a2 + 1, skipped);
            return;
        }
        a = a2 + 2;
    }
}

} // namespace

void checkSpacing(const QString &testText, WordErrors &errors, const SkippedFailureSink &skipped)
{
    errors.wordErrorCount = errors.count;
    checkDoubleBlank(testText, errors, skipped);
    checkSentenceEndStyle(testText, errors, skipped);
}

} // namespace tallimark
