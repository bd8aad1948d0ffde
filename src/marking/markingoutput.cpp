#include "markingoutput.h"

#include "highlighting.h"
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
    const int start = test.length();
    test.setSelText(reportText);
    // Its first line break ends the learner's last paragraph; its lines stand in the document's
    // default paragraph, not in that one's justification or indents.
    const int firstBreak = int(reportText.indexOf(u"\r\n"_s));
    if (firstBreak >= 0) {
        test.setSelStart(start + firstBreak + 2);
        test.setSelLength(test.length());
        test.setSelParagraph(ParagraphFormat{});
        test.setSelStart(test.length());
    }
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
    const HighlightOperation excess{p + 13, q - (p + 13), HighlightOperation::Kind::Excess};
    applyHighlight(test, excess);
    return excess;
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

QString reliabilityVerdict(const WordErrors &errors, int finalErrorCount, const ComparedMemo &memo)
{
    int suspectCount = 0;
    for (int k = 1; k <= finalErrorCount; ++k) {
        const QString word = errors.words.at(k);
        if (!text::trimBlanksView(word).isEmpty() && memo.contains(word))
            ++suspectCount;
    }
    return suspectCount > 5 ? u".......Result may not be reliable"_s : u".......Successful"_s;
}

} // namespace tallimark
