// Reading RTF as the programs that write learners' tests and memos write it.
#include "testsupport.h"

#include "support/rowname.h"

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

// What a character's format adds to the default, in a few words: "Calibri fs22 b red".
QString described(const CharFormat &format)
{
    static const QHash<Colour, QString> colours = {{Red, u"red"_s}, {0xFF0000, u"blue"_s}, {0x00FFFF, u"yellow"_s}};
    const auto colour = [](Colour c) { return colours.value(c, QString::number(c, 16)); };
    QStringList words = {format.fontName,
                         format.fontSizeHalfPoints != 20 ? u"fs%1"_s.arg(format.fontSizeHalfPoints) : QString(),
                         format.bold ? u"b"_s : QString(),
                         format.italic ? u"i"_s : QString(),
                         format.underline ? u"ul"_s : QString(),
                         format.strike ? u"strike"_s : QString(),
                         format.script == Script::Super ? u"super"_s : QString(),
                         format.script == Script::Sub ? u"sub"_s : QString(),
                         format.colour ? colour(*format.colour) : QString(),
                         format.background ? u"on "_s + colour(*format.background) : QString(),
                         format.offset > 0 ? u"up%1"_s.arg(format.offset) : QString(),
                         format.offset < 0 ? u"dn%1"_s.arg(-format.offset) : QString(),
                         format.kerning != 0 ? u"kerning%1"_s.arg(format.kerning) : QString()};
    words.removeAll(QString());
    return words.join(u' ');
}

struct ReadCase
{
    const char *name;
    QByteArray rtf;
    QString text;
    QString fontName = {};                           // the document's default font, when checked
    QList<std::pair<QString, QString>> formats = {}; // a piece of the text, and its first character's format
    QString repeat = {};                             // a word then marked as a repeat, as the marking marks one
    QStringList written = {};                        // what the writer then states, and what it must not
    QStringList notWritten = {};
};
TALLIMARK_ROW_PRINTS_ITS_NAME(ReadCase)

using RtfReading = ::testing::TestWithParam<ReadCase>;

// Every row also survives our writer: the copy reads back as the same document, and once more
// as the same RTF (fonts, colours, layout and kept groups included). What the writer states around
// runs: a mark is a group of its own, closed where its text ends, so that nothing it sets reaches
// the paragraph mark, list label or hyperlink after it; every paragraph starts with \pard\plain
// and each run states its font, size and language, so that no style's formatting reaches the text.
TEST_P(RtfReading, TextFontFormatsAndTheWriter)
{
    const ReadCase &row = GetParam();
    RichDocument document = rtfDocument(row.rtf);
    EXPECT_EQ(document.text(), row.text);
    EXPECT_TRUE(row.fontName.isNull() || document.fontName() == row.fontName) << document.fontName();
    for (const auto &[piece, format] : row.formats) {
        const qsizetype at = document.text().indexOf(piece);
        ASSERT_GE(at, 0) << piece.toStdString();
        EXPECT_EQ(described(document.formatAt(int(at))), format) << piece.toStdString();
    }
    if (!row.repeat.isEmpty()) {
        const int at = int(document.text().indexOf(row.repeat));
        applyHighlight(document, {at, int(row.repeat.size()), HighlightOperation::Kind::Repeat});
    }
    const QString rtf = document.textRtf();
    for (const QString &part : row.written)
        EXPECT_TRUE(rtf.contains(part)) << part << " in " << rtf;
    for (const QString &part : row.notWritten)
        EXPECT_FALSE(rtf.contains(part)) << part << " in " << rtf;
    const RichDocument copy = reread(document);
    EXPECT_EQ(firstDifference(copy, document), QString()) << rtf;
    EXPECT_EQ(reread(copy).textRtf(), copy.textRtf());
}

TEST(RtfReader, LayoutAsWordProcessorsStateIt)
{
    RichDocument document = rtfDocument(testData("layout-page-and-paragraphs.rtf"));
    const DocumentFormat page = document.documentFormat();
    ASSERT_EQ(document.sections().size(), 2);
    EXPECT_EQ((QList<std::optional<int>>{page.paperWidth, page.marginLeft, page.defaultTabWidth, page.defaultLanguage,
                                         document.sections()[0].columns, document.sections()[1].pageWidth}),
              (QList<std::optional<int>>{11906, 1134, 709, 1078, 2, 11906}));
    EXPECT_TRUE(page.landscape);
    EXPECT_EQ(document.sections()[0].otherWords, "\\sbknone");

    const ParagraphFormat first = document.paragraphFormatAt(0);
    EXPECT_EQ(first.alignment, Alignment::Justified);
    EXPECT_EQ((QList<int>{first.leftIndent, first.rightIndent, first.firstLineIndent, first.spaceBefore,
                          first.spaceAfter, first.lineSpacing}),
              (QList<int>{720, 360, -360, 120, 200, 276}));
    EXPECT_TRUE(first.lineSpacingMultiple && first.keepTogether && first.keepWithNext);
    EXPECT_EQ(first.tabStops, (QList<TabStop>{{5000, "\\tqr\\tldot", false}, {2000, "", true}}));
    // A line break is a CR LF of the text, but no new paragraph.
    EXPECT_EQ(document.paragraphFormatAt(11), first);
    EXPECT_EQ((QList<Break>{document.breakAt(9), document.breakAt(29), document.breakAt(45)}),
              (QList<Break>{Break::Line, Break::Section, Break::Page}));
    const ParagraphFormat centred = document.paragraphFormatAt(22);
    EXPECT_EQ(centred.alignment, Alignment::Centre);
    EXPECT_EQ(centred.otherWords, "\\brdrb\\brdrs\\brdrw10\\brsp20\\shading2000");

    // What the model does not interpret stays as the file wrote it, where it was.
    document.setRtfBytes(testData("layout-kept-groups.rtf"));
    QStringList kept;
    for (const KeptRtf &item : document.keptRtf())
        kept << u"%1:%2"_s.arg(item.position).arg(QString::fromLatin1(item.rtf));
    EXPECT_EQ(kept,
              (QStringList{u"0:{\\listtext\\'b7\\tab}"_s, u"4:{\\*\\bkmkstart b}"_s, u"4:{\\*\\bkmkend b}"_s,
                           u"4:{\\field"_s, u"4:{\\*\\fldinst HYPERLINK \"x\"}"_s, u"4:{\\fldrslt"_s, u"8:}"_s,
                           u"8:}"_s, u"10:{\\pict\\pngblip 89504e47}"_s, u"11:{\\footnote\\pard note}"_s,
                           u"11:{\\*\\unknown keep me}"_s, u"11:\\chftn"_s}));
    EXPECT_TRUE(document.textRtf().contains(u"{\\stylesheet{\\s1 Heading;}}{\\*\\listtable{\\list\\listid1}}"_s));

    document.setRtfBytes(testData("layout-tables.rtf"));
    EXPECT_EQ((QList<Break>{document.breakAt(1), document.breakAt(4), document.breakAt(7), document.breakAt(8)}),
              (QList<Break>{Break::Cell, Break::Row, Break::NestedCell, Break::KeptGroup}));
    EXPECT_EQ(document.paragraphFormatAt(0).otherWords, "\\intbl");
    EXPECT_EQ(document.keptRtf().first().rtf,
              "\\trowd\\trgaph108\\trbrdrt\\brdrs\\clbrdrb\\brdrs\\cellx2000\\cellx4000");
}

// A LibreOffice paragraph that ends in a repeat, then a bullet with a hyperlink and a struck word.
const QByteArray libreOfficeList =
    "{\\rtf1\\ansi\\deff4{\\fonttbl{\\f1\\fcharset2 Symbol;}{\\f4\\fswiss\\fcharset0 Liberation Sans;}}"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue128;}"
    "\\pard\\plain \\s0\\ql\\widctlpar\\f4\\fs24\\lang7177{\\loch We light the candles.}\r\n"
    "\\par \\pard\\plain \\s0\\ls1\\ilvl0\\fi-360\\li720\\f4\\fs24\\lang7177{\\listtext\\pard\\plain \\f1 \\'b7\\tab}"
    "{\\field{\\*\\fldinst HYPERLINK \"https://example.org/\" }{\\fldrslt {\\cf2\\ul\\lang255 Crazy}}}"
    " idea and a {\\strike struck} word.\\par}";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Documents, RtfReading, ::testing::ValuesIn(std::vector<ReadCase>{
    {"WordPad", testData("wordpad.rtf"),
        u"The quick brown fox.\r\nCaf\u00E9 red and \u010D."_s, u"Calibri"_s,
        {{u"quick"_s, u"Calibri fs22"_s}, {u"brown"_s, u"Calibri fs22 b"_s}, {u" fox"_s, u"Calibri fs22"_s},
         {u"red"_s, u"Calibri fs22 red"_s}, {u" and"_s, u"Calibri fs22"_s}}},
    // Word, the school's usual word processor: revision ids, a hyperlink field, a table row, headers
    // and footers, Cyrillic in its font's code page, \u with fallbacks, hidden text, theme data.
    {"Word", testData("word.rtf"),
        u"Visit our site.\r\nOne\tTwo\t\r\n\u041F\u0440\u0438\u0432\u0435\u0442 \u201Cquoted\u201D \u2014done"_s,
        u"Times New Roman"_s, {{u"Visit"_s, u"Times New Roman fs24"_s},
        {u"our site"_s, u"Times New Roman fs24 ul yellow"_s}, {u"\u041F"_s, u"Arial Cyr fs24"_s}}},
    // \plain in the middle of a paragraph ends the kerning of its style; the default font is named.
    {"LibreOffice", testData("libreoffice.rtf"),
        u"Die kat sit op die mat.  Dit re\u00EBn.\r\nRooi woord \u2013 klaar."_s, u"Liberation Sans"_s,
        {{u"Die"_s, u"Liberation Sans fs24 kerning1"_s}, {u"Rooi"_s, u"Liberation Sans fs24 red"_s}}},
    // Apple's TextEdit: a backslash before the line end is a line break.
    {"TextEdit", testData("textedit.rtf"),
        u"First line\r\nSecond blue line\r\n\u201CQuoted\u201D and caf\u00E9\r\n\r\nNeue"_s, u"Helvetica"_s,
        {{u"First"_s, u"Helvetica fs24"_s}, {u"blue"_s, u"Helvetica fs24 blue"_s},
         {u"Neue"_s, u"HelveticaNeue fs24"_s}}},
    // Layout as word processors state it, looked at closely by the test above. Breaks are CR LF;
    // tables are TAB-separated rows, a nested row ends inside its properties group, and the
    // fallback for old readers is no text.
    {"LayoutPageAndParagraphs", testData("layout-page-and-paragraphs.rtf"),
        u"Justified\r\nnext line\r\nCentred\r\nSecond section\r\nafter the page break"_s},
    {"LayoutKeptGroups", testData("layout-kept-groups.rtf"), u"Itemlink ab"_s},
    {"LayoutTables", testData("layout-tables.rtf"), u"a\tb\t\r\nA\t\r\nC\t\r\nafter"_s},
    {"LayoutCodePageAndObjects", testData("layout-code-page-and-objects.rtf"), u"\u041Fs2xshown\r\n"_s, {},
        {{u"s"_s, u"Arial Cyr fs24 strike"_s}, {u"2"_s, u"Arial Cyr fs24 super"_s}, {u"x"_s, u"Arial Cyr fs24 sub"_s}}},
    // Formatting ends with its group, and \plain ends it all (back to the default font at 12 pt).
    {"FormattingAndItsScope", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\fs20 a"
        "{\\b\\i\\ul\\f1\\fs28\\up6\\kerning2 b}{\\ulw\\dn4 c}d\\b e\\plain f}", u"abcdef"_s, u"Arial"_s,
        {{u"a"_s, u"Arial"_s}, {u"b"_s, u"Courier New fs28 b i ul up6 kerning2"_s}, {u"c"_s, u"Arial ul dn4"_s},
         {u"d"_s, u"Arial"_s}, {u"e"_s, u"Arial b"_s}, {u"f"_s, u"Arial fs24"_s}}},
    // Highlight, character shading and \cb are one background; white is none.
    {"Backgrounds", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green255\\blue255;}"
        "{\\highlight1 a}{\\chcbpat2 b}{\\cb1 c}{\\highlight3 d}e}", u"abcde"_s, QString(),
        {{u"a"_s, u"fs24 on red"_s}, {u"b"_s, u"fs24 on blue"_s}, {u"c"_s, u"fs24 on red"_s}, {u"d"_s, u"fs24"_s},
         {u"e"_s, u"fs24"_s}}},
    // Found by fuzzing: what a font table cannot hold is left out of the name; text before the
    // table, and in a font it lacks, is in the default font, one run with the text after it.
    {"FontNameWithWhatATableCannotHold", "{\\rtf1{\\fonttbl{\\f0 A\\u59?B\\u1046?\\'01;}}x}", u"x"_s, u"AB\u0416"_s},
    {"TextOutsideTheFontTable",
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\highlight1 a{\\fonttbl{\\f0 Arial;}}b{\\f5 c}d}", u"abcd"_s,
        u"Arial"_s, {{u"a"_s, u"Arial fs24 on red"_s}, {u"b"_s, u"Arial fs24 on red"_s},
        {u"c"_s, u"Arial fs24 on red"_s}, {u"d"_s, u"Arial fs24 on red"_s}}},
    // \ucN: how many fallback characters follow a \uN, counted per group (\uc0: the TextEdit row).
    {"UcIsScopedToItsGroup", "{\\rtf1 a{\\uc2\\u233 xyb}\\u233 zc}", u"a\u00E9b\u00E9c"_s},
    {"UcCountsEscapesAndControlWordsAsOne", "{\\rtf1\\uc2 \\u8220\\'93\\'94x\\u8221\\tab\\'94y}", u"\u201Cx\u201Dy"_s},
    {"NegativeUAndSurrogatePairs", "{\\rtf1\\u-3913?\\u-10179?\\u-8704?}", u"\uF0B7\U0001F600"_s},
    {"GroupEndStopsTheSkipping", "{\\rtf1{\\uc3\\u233}xyz}", u"\u00E9xyz"_s},
    {"HalfASurrogatePair", "{\\rtf1\\uc0 a\\u-10240 b}", u"a\uFFFDb"_s},
    // Code pages of the document, and of the font, which wins in both directions (over a
    // single-byte one: the WordPad row).
    {"Ansi", "{\\rtf1\\ansi \\'80\\'E9\\'9c}", u"\u20AC\u00E9\u0153"_s},
    {"Mac", "{\\rtf1\\mac \\'8e\\'a5}", u"\u00E9\u2022"_s},
    {"Cp932PairsAlsoWithARawHalf", "{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'88\\'9f.}", u"\u3042\u4E9C."_s},
    {"Cp65001", "{\\rtf1\\ansi\\ansicpg65001 caf\\'c3\\'a9}", u"caf\u00E9"_s},
    {"FontCharsetOverDoubleByteCodePage",
        "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 M;}{\\f1\\fcharset0 T;}}"
        "\\f1 \\'93x\\'94\\f0 \\'82\\'a0}", u"\u201Cx\u201D\u3042"_s},
    {"Pc", "{\\rtf1\\pc \\'82}", u"\u00E9"_s}, {"Pca", "{\\rtf1\\pca \\'d5}", u"\u0131"_s},
    {"ByteTheCodePageLacks", "{\\rtf1\\ansicpg932 \\'82}", u"\uFFFD"_s},
    // Special characters; line ends of the source are no text, and one blank after a control word
    // is its delimiter.
    {"EscapedCharacters", "{\\rtf1 a\\tab b\\~c\\-d\\_e\\{f\\}g\\\\h}", u"a\tb\u00A0c\u00ADd\u2011e{f}g\\h"_s},
    {"Punctuation", "{\\rtf1\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet}",
        u"\u2014\u2013\u2018\u2019\u201C\u201D\u2022"_s},
    {"SourceLineBreaksAreNoText", "{\\rtf1 one\r\ntwo\rthree\nfour}", u"onetwothreefour"_s},
    {"OneBlankDelimitsAControlWord", "{\\rtf1\\b  x\\b0   y}", u" x  y"_s},
    // The final paragraph mark closes the last paragraph: it is no line break of the text, and our
    // writer ends every document with one.
    {"EmptyLastParagraph", "{\\rtf1\\ansi One\\par\r\n\\par\r\n}", u"One\r\n"_s},
    {"NoFinalMark", "{\\rtf1\\ansi No mark at the end}", u"No mark at the end"_s},
    {"OnlyParagraphMarks", "{\\rtf1\\par\\par\\par}", u"\r\n\r\n"_s},
    // A table with an empty cell.
    {"Table", "{\\rtf1\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row"
        "\\trowd\\cellx1000\\cellx2000\\pard\\intbl\\cell c\\cell\\row\\pard after}", u"a\tb\t\r\n\tc\t\r\nafter"_s},
    {"NestRowOutsideATable", "{\\rtf1 x{\\*\\pict{\\*\\nesttableprops\\nestrow}}y}", u"xy"_s},
    // Destinations without text; a field shows its result only (an object: see the layout rows).
    {"HeadersAndFooters", "{\\rtf1{\\header h}{\\headerl h}{\\headerr h}{\\headerf h}{\\footer f}{\\footerl f}"
        "{\\footerr f}{\\footerf f}b}", u"b"_s},
    {"ListLabels", "{\\rtf1{\\pntext\\f1 \\'b7\\tab}{\\listtext 1.\\tab}Item}", u"Item"_s},
    {"HiddenText", "{\\rtf1 x\\v hidden\\v0 y{\\v more}z}", u"xyz"_s},
    {"FieldInstructionWithoutStar", "{\\rtf1{\\field{\\fldinst HYPERLINK x}{\\fldrslt link}}}", u"link"_s},
    // \bin data is skipped by its count, braces and backslashes included.
    {"BinInAnIgnoredGroup", "{\\rtf1 a{\\*\\blipdata\\bin4 }{\\}b}c}", u"ac"_s},
    {"BinWithoutACountBeforeHexDigits", "{\\rtf1 a{\\pict\\bin 89504e47}b}", u"ab"_s},
    // Broken input: the reader keeps what it read and never fails. Past the depth limit groups
    // share one state, which is still undone when they close.
    {"DeepNestingNeedsNoCallStack", "{\\rtf1 a" + QByteArray(100000, '{') + "\\b x" + QByteArray(100000, '}') + " y}",
        u"ax y"_s, {}, {{u"x"_s, u"fs24 b"_s}, {u"y"_s, u"fs24"_s}}},
    {"DeepUnclosedGroups", "{\\rtf1 " + QByteArray(100000, '{') + "deep", u"deep"_s},
    {"UnclosedAfterAParagraphMark", "{\\rtf1 a\\par", u"a"_s},
    {"UnclosedAfterAParagraph", "{\\rtf1 a\\par b", u"a\r\nb"_s},
    {"BackslashAtTheEnd", "{\\rtf1 ab\\", u"ab"_s}, {"EscapeWithoutHexDigits", "{\\rtf1 a\\'zz}", u"azz"_s},
    {"EscapeWithOneHexDigit", "{\\rtf1 a\\'e}", u"a\u000E"_s}, {"NegativeUc", "{\\rtf1\\uc-5 \\u233 x}", u"\u00E9x"_s},
    {"HugeNumbers", "{\\rtf1\\fs99999999999999999999 a\\u99999999999 b}", u"a\uFFFD"_s},
    {"NegativeBin", "{\\rtf1 a\\bin-5 b}", u"ab"_s}, {"BinLongerThanTheFile", "{\\rtf1 ab\\bin999999 xyz}", u"ab"_s},
    {"EndlessFontTable", "{\\rtf1{\\fonttbl{\\f0 Arial", QString()},
    {"NumbersNamingNoEntry", "{\\rtf1\\cf99\\highlight-3\\f42 x}", u"x"_s},
    {"NothingAfterTheDocumentGroup", "{\\rtf1 a}}}b{c}", u"a"_s},
    // What the writer states.
    {"WriterARepeatAtTheEndOfAParagraph", libreOfficeList, u"We light the candles.\r\nCrazy idea and a struck word."_s,
        {}, {}, u"candles."_s, {u"{\\ul\\cf3 candles.\r\n}\\par"_s, u"{\\f4\\fs24\\ul\\cf2\\lang255 Crazy}"_s,
        u"\\strike struck\\strike0"_s}, {u"\\ulnone"_s}},
    // AbiWord states a superscript reference style, \\plain and each run's font, size and language.
    {"WriterAnAbiWordParagraph",
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}{\\stylesheet{\\*\\cs14\\fs20\\super Endnote "
        "Reference;}{\\s28\\f0\\fs24 Normal;}}\\pard\\plain\\ltrpar\\ql\\s28{\\s28\\f0\\fs24\\lang1033 Ten "
        "words.}{\\s28\\f0\\fs24\\lang1033\\par}\\pard\\plain\\s28{\\s28\\f0\\fs24\\lang1033 More.}}",
        u"Ten words.\r\nMore."_s, {}, {}, {}, {u"\\pard\\plain\\ltrpar"_s,
        u"\\f0\\fs24\\lang1033 Ten words.\r\n\\par\\pard\\plain"_s, u"\\f0\\fs24\\lang1033 More."_s}},
    // Only \\plain takes a language back to the document's.
    {"WriterALanguageThatEnds", "{\\rtf1\\deflang1078 {\\lang1033 English} none}", u"English none"_s, {}, {}, {},
        {u"\\lang1033 English\\plain\\f0\\fs24  none"_s}}}),
    RowName());
// clang-format on

} // namespace
} // namespace tallimark
