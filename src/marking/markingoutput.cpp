#include "markingoutput.h"

#include "highlighting.h"
#include "markingrules.h"
#include "numbertext.h"
#include "textpositions.h"

#include <QDir>

namespace tallimark {

using namespace Qt::StringLiterals;

void appendReportBlock(const QString &reportText, RichDocument &test)
{
    test.setSelStart(test.length());
    highlight(test, White);
    test.setSelColour(Red);
    test.setSelBold(true);
    test.setSelUnderline(false);
    test.setSelFontName(u"Courier"_s);
    test.setSelText(reportText);
}

std::optional<HighlightOperation> markExcessWords(RichDocument &test, int testLength)
{
    const QString content = test.text();
    // The learner may have typed the words themselves; the search starts in the report block.
    const int p = text::inStr(testLength, content, u"Excess words: ");
    if (p == 0)
        return std::nullopt;
    int q = text::inStr(p, content, u"\r");
    if (q == 0)
        q = int(content.size()) + 1;
    const int start0 = p + 13;
    const int length = q - (p + 13);
    test.setSelStart(start0);
    test.setSelLength(length);
    test.setSelBold(false);
    test.setSelColour(White);
    highlight(test, Red); // light red, entry 12 of the console palette
    return HighlightOperation{start0, length, HighlightOperation::Kind::Excess};
}

QString markedCopyBaseName(const QString &currentTestLabel)
{
    QString label = currentTestLabel;
    if (text::trimBlanks(label).isEmpty())
        label = u"Untitled"_s;
    const QString name = text::mid(label, text::inStrRev(label, u"/") + 1);
    return text::left(name, int(name.size()) - 4);
}

QString markedCopyPath(const QString &destFolder, const QString &currentTestLabel)
{
    return destFolder + u'/' + markedCopyBaseName(currentTestLabel) + u".rug"_s;
}

QString resultsLine(const QString &destFolder, const QString &currentTestLabel, double finalWpm)
{
    const QString name = text::mid(currentTestLabel, text::inStrRev(currentTestLabel, u"/") + 1);
    return QDir::toNativeSeparators(destFolder + u'/' + text::left(name, int(name.size()) - 4)) + u"   "_s
        + numberText(finalWpm) + u" wpm"_s;
}

QString zeroResultLine(const QString &entry)
{
    return QDir::toNativeSeparators(text::left(entry, int(entry.size()) - 4)) + u".rug  0  wpm"_s;
}

Verdict reliabilityVerdict(const WordErrors &errors, int finalErrorCount, const ComparedMemo &memo)
{
    int suspectCount = 0;
    for (int k = 1; k <= finalErrorCount; ++k) {
        const QString word = errors.words.at(k);
        if (!text::trimBlanksView(word).isEmpty() && memo.contains(word))
            ++suspectCount;
    }
    return suspectCount >= rules::UnreliableErrorWords ? Verdict::MayNotBeReliable : Verdict::Successful;
}

} // namespace tallimark
