// Real-world RTF files against LibreOffice's plain text of them. The samples live outside the
// repository; without them these tests skip. Where LibreOffice's text export differs from what
// a learner's document contains, the rule for the sample says how and why.
#include "testsupport.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

enum Normalisation : unsigned {
    None = 0,
    // LibreOffice writes each blank of a run of blanks as U+2006 + blank in files from Word
    // and untagged writers; the document has plain blanks.
    BlankRuns = 1,
    // LibreOffice renders list labels ("    •", "    1.") that the file keeps in \listtext or
    // \pntext, which are not text.
    ListLabels = 2,
    // LibreOffice puts every table cell on a line of its own; cells are TAB-separated here.
    TableCells = 4,
};

struct SampleRule
{
    unsigned normalisation = None;
    QList<std::pair<QString, QString>> fixes = {}; // LibreOffice's text, and ours: applied to the reference
    const char *why = "";
};

// Footnote reference marks (\chftn) are numbered by LibreOffice; a document here shows no
// automatic numbers, since the footnotes they point to are not part of the text either.
const char *const footnoteMarks = "footnote reference numbers (\\chftn) are not text here";

// clang-format off
// Files whose text is LibreOffice's once normalised, and those where it is not the learner's.
const QHash<QString, SampleRule> sampleRules = {
    {u"abiword_french.rtf"_s, {BlankRuns}}, {u"richedit_cp1251_ukrainian.rtf"_s, {BlankRuns}},
    {u"richedit_old_web.rtf"_s, {BlankRuns}}, {u"textedit_osx10.rtf"_s, {BlankRuns}},
    {u"abiword_table.rtf"_s, {TableCells}}, {u"cocoa_table.rtf"_s, {TableCells}},
    {u"libreoffice6_calcium_score.rtf"_s, {TableCells}}, {u"wordpad_table.rtf"_s, {TableCells}},
    {u"word_nested_tables.rtf"_s, {TableCells}}, {u"handmade_nested_table.rtf"_s, {TableCells}},
    {u"libreoffice3_list.rtf"_s, {ListLabels}}, {u"textedit_list.rtf"_s, {ListLabels}},
    {u"wordpad_list.rtf"_s, {ListLabels}}, {u"wordpad_win10.rtf"_s, {ListLabels}},
    {u"openoffice_japanese.rtf"_s, {ListLabels | TableCells}},
    {u"pandoc_writer_test.rtf"_s, {ListLabels, {{u"reference,1 and another.2 "_s, u"reference, and another. "_s},
        {u"inline note.3"_s, u"inline note."_s}, {u"in quotes.4"_s, u"in quotes."_s},
        {u"list items.5"_s, u"list items."_s}}, footnoteMarks}},
    {u"googledocs_list.rtf"_s, {ListLabels, {},
        "the 80 leading blanks of LibreOffice's text are in no paragraph of the file"}},
    {u"word2003_footnote_table.rtf"_s, {ListLabels | TableCells,
        {{u"a bit of hidden text"_s, u"a bit of  text"_s}, {u"has a 1footnote"_s, u"has a footnote"_s}},
        "hidden text (\\v) is not part of the text, LibreOffice exports it; and footnote marks"}},
    {u"handmade_footnote.rtf"_s, {None, {{u"annotated.1 "_s, u"annotated. "_s}, {u"noted,2 "_s, u"noted, "_s}},
        footnoteMarks}},
    {u"word_various_footnote_table_link.rtf"_s, {ListLabels | TableCells, {{u"appears here1"_s, u"appears here"_s}},
        footnoteMarks}},
    {u"wordmac_footnote_cr.rtf"_s, {None, {{u"Bookmark_1 1"_s, u"Bookmark_1"_s}}, footnoteMarks}},
    {u"phprtflite_footnotes.rtf"_s, {TableCells, {{u"massa.1 "_s, u"massa. "_s}, {u"convallis.2"_s, u"convallis."_s},
        {u"elit.i "_s, u"elit. "_s}, {u"elit.ii"_s, u"elit."_s}, {u"tempus.0"_s, u"tempus."_s},
        {u"tempus.iii"_s, u"tempus."_s}, {u"massa.0"_s, u"massa."_s}}, footnoteMarks}},
    {u"textedit_unpaired_surrogates.rtf"_s, {None, {{u"hi ?here"_s, u"hi \uFFFD here"_s},
        {u"lo ? here"_s, u"lo \uFFFD here"_s}, {u"pair ??here"_s, u"pair \uFFFD\uFFFD here"_s}},
        "a half surrogate pair is U+FFFD, and the blank after it is text (the delimiter of "
        "\\u-10240 is the first blank only)"}},
    {u"wptools_hyperlink_styles.rtf"_s, {None, {{u"10\uFFFDFlour"_s, u"10\u201DFlour"_s}},
        "\\fcharset1 means the document's code page, where \\'94 is a closing double quote"}},
    {u"wordpad_cp932_japanese.rtf"_s, {None, {{u"\uF02D"_s, u"-"_s}},
        "a \\fcharset2 (symbol) font's bytes are read in the document's code page, not mapped "
        "into the private use area, so the learner's hyphen stays a hyphen"}},
    {u"not_rtf_plain_text_cp1252.rtf"_s, {None, {{u"l\uFFFD tot"_s, u"l\u00EA tot"_s}},
        "a plain text file that is not valid UTF-8 is Windows-1252, where 0xEA is \u00EA"}},
};
// clang-format on

QString normalisedLines(QString text, unsigned normalisation, bool isReference)
{
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    if (isReference && (normalisation & BlankRuns))
        text.replace(u"\u2006 "_s, u" "_s);
    if (normalisation & TableCells)
        text.replace(u'\t', u'\n');

    static const QRegularExpression trailingBlanks(u"[ \t]+$"_s);
    static const QRegularExpression listLabel(
        uR"(^(?:[•◦▪·●○■\x{F0B7}-]|\(?[0-9]{1,3}[.)]|[a-z][.)]|[ivx]{1,5}[.)])(?:\s+|$))"_s);
    QStringList lines;
    for (QString line : text.split(u'\n')) {
        line.remove(trailingBlanks);
        if (normalisation & ListLabels) {
            // A writer may also put a label into the text itself; it goes on both sides.
            line = line.trimmed();
            line.remove(listLabel);
        }
        if ((normalisation & (TableCells | ListLabels)) && line.isEmpty())
            continue;
        lines.append(line);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(u'\n');
}

// The sample's text against LibreOffice's, when there is a reference: false when there is none.
bool comparedWithLibreOffice(const QString &fileName, const QString &text)
{
    QFile referenceFile(samplesFolder.filePath(fileName.chopped(4) + u".ref.txt"_s));
    if (!referenceFile.open(QIODevice::ReadOnly))
        return false;
    const SampleRule rule = sampleRules.value(fileName);
    QString reference = QString::fromUtf8(referenceFile.readAll());
    if (reference.startsWith(QChar(0xFEFF)))
        reference.remove(0, 1);
    for (const auto &[inReference, ours] : rule.fixes) {
        EXPECT_TRUE(reference.contains(inReference)) << "stale rule: " << inReference << " (" << rule.why << ")";
        reference.replace(inReference, ours);
    }
    // As std::string, so that a failure shows the lines that differ.
    EXPECT_EQ(normalisedLines(text, rule.normalisation, false).toStdString(),
              normalisedLines(reference, rule.normalisation, true).toStdString())
        << "text against LibreOffice's: " << rule.why;
    return true;
}

// The places where a character is drawn in the colour of its own background (a line end is not
// drawn, and takes the colour of the text before it).
QList<int> invisible(const RichDocument &document)
{
    QList<int> found;
    for (int i = 0; i < document.length(); ++i) {
        const CharFormat format = document.formatAt(i);
        const bool lineEnd = document.text()[i] == u'\r' || document.text()[i] == u'\n';
        if (!lineEnd && format.colour.value_or(0) == format.background.value_or(White))
            found << i;
    }
    return found;
}

// Every sample: its text is LibreOffice's where LibreOffice is right; what the writer writes
// reads back as the same document, and once more as the same RTF; and a marked copy never draws a
// character in the colour of its own background (a learner may hide text that way; marks never do).
TEST(RtfSamples, TextWriterAndMarks)
{
    if (sampleNames.isEmpty())
        GTEST_SKIP() << "no samples at " << samplesFolder.path();
    int compared = 0;
    for (const QString &fileName : sampleNames) {
        SCOPED_TRACE(fileName.toStdString());
        RichDocument document;
        ASSERT_FALSE(document.loadFile(samplesFolder.filePath(fileName)).failed());
        compared += comparedWithLibreOffice(fileName, document.text());
        const RichDocument copy = reread(document);
        EXPECT_EQ(firstDifference(copy, document), QString()) << "the writer's copy";
        EXPECT_EQ(reread(copy).textRtf(), copy.textRtf()) << "the writer's copy written again";

        const QList<int> hiddenByTheLearner = invisible(document);
        markLikeTheMarking(document);
        // Some readers draw colour 0, "auto", black: a background never names it.
        static const QRegularExpression colourZero(u"\\\\(highlight|cb|chcbpat)0(?![0-9])"_s);
        EXPECT_FALSE(document.textRtf().contains(colourZero)) << "marks: a background in colour 0";
        for (int i : invisible(reread(document)))
            EXPECT_TRUE(hiddenByTheLearner.contains(i)) << "marks: invisible at " << i;
    }
    EXPECT_GE(compared, 50);
}

} // namespace
} // namespace tallimark
