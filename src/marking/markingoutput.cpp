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
    // The learner may have typed the words themselves; the search starts at the test's last
    // character.
    static constexpr QStringView Label = u"Excess words: ";
    if (testLength < 1)
        return std::nullopt;
    const qsizetype label = content.indexOf(Label, testLength - 1);
    if (label < 0)
        return std::nullopt;
    qsizetype lineEnd = content.indexOf(u'\r', label);
    if (lineEnd < 0)
        lineEnd = content.size();
    const int start = int(label + Label.size());
    // The selection takes one character more than the words: the CR that ends their line.
    const HighlightOperation excess{start, int(lineEnd) + 1 - start, HighlightOperation::Kind::Excess};
    applyHighlight(test, excess);
    return excess;
}

namespace {

// A file's name less its folder and its last four characters (".rtf").
QStringView nameWithoutExtension(QStringView path)
{
    const QStringView name = path.sliced(path.lastIndexOf(u'/') + 1);
    return name.first(std::max<qsizetype>(0, name.size() - 4));
}

} // namespace

QString markedCopyBaseName(const QString &copyPath)
{
    // A test without a name is "Untitled", which loses four characters like any other name.
    const QStringView path = text::trimBlanksView(copyPath).isEmpty() ? QStringView(u"Untitled") : copyPath;
    return nameWithoutExtension(path).toString();
}

QString markedCopyPath(const QString &destFolder, const QString &copyPath)
{
    return destFolder + u'/' + markedCopyBaseName(copyPath) + u".rug"_s;
}

QString resultsLine(const QString &destFolder, const QString &copyPath, double finalWpm)
{
    return QDir::toNativeSeparators(destFolder + u'/' + nameWithoutExtension(copyPath).toString()) + u"   "_s
        + numberText(finalWpm) + u" wpm"_s;
}

QString zeroResultLine(const QString &entry)
{
    return QDir::toNativeSeparators(entry.first(std::max<qsizetype>(0, entry.size() - 4))) + u".rug  0  wpm"_s;
}

Verdict reliabilityVerdict(const WordErrors &errors, int finalErrorCount, const ComparedMemo &memo)
{
    int suspectCount = 0;
    for (int k = 0; k < finalErrorCount; ++k) {
        const QString word = errors.entry(k).word;
        if (!text::trimBlanksView(word).isEmpty() && memo.contains(word))
            ++suspectCount;
    }
    return suspectCount >= rules::UnreliableErrorWords ? Verdict::MayNotBeReliable : Verdict::Successful;
}

} // namespace tallimark
