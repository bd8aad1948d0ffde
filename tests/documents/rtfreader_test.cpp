// Reading RTF as the programs that write learners' tests and memos write it.
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

constexpr Colour Blue = 0xFF0000;
constexpr Colour Yellow = 0x00FFFF;

// Finds the first occurrence of a word in the text and gives the format of its first character.
CharFormat formatOf(const RichDocument &document, const QString &word)
{
    const qsizetype at = document.text().indexOf(word);
    EXPECT_GE(at, 0) << word.toStdString();
    return document.formatAt(int(at));
}

TEST(RtfReader, WordPadDocument)
{
    RichDocument document;
    document.setRtfBytes(QByteArrayLiteral(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
        "{\\f1\\fnil\\fcharset238 Calibri;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 The quick \\b brown\\b0  fox.\\par\r\n"
        "Caf\\'e9 \\cf1 red\\cf0  and \\f1\\'e8\\f0 .\\par\r\n}\r\n"));

    EXPECT_EQ(document.text(), u"The quick brown fox.\r\nCaf\u00E9 red and \u010D."_s);
    EXPECT_EQ(document.fontName(), u"Calibri"_s);
    EXPECT_TRUE(formatOf(document, u"brown"_s).bold);
    EXPECT_FALSE(formatOf(document, u" fox"_s).bold);
    EXPECT_EQ(formatOf(document, u"red"_s).colour, Red);
    EXPECT_FALSE(formatOf(document, u" and"_s).colour.has_value());
    EXPECT_EQ(formatOf(document, u"quick"_s).fontSizeHalfPoints, 22);
    EXPECT_EQ(formatOf(document, u"quick"_s).fontName, u"Calibri"_s);
}

TEST(RtfReader, WordDocumentWithRevisionIdsFieldsTableAndUnicode)
{
    RichDocument document;
    document.setRtfBytes(QByteArrayLiteral(
        "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff0\\deff0\\stshfdbch0"
        "{\\fonttbl{\\f0\\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}"
        "{\\f1\\fswiss\\fcharset204\\fprq2 Arial Cyr{\\*\\falt Arial};}}\r\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green255\\blue0;}\r\n"
        "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\rtlch\\fcs1 \\af0\\afs24\\alang1025 \\ltrch\\fcs0 "
        "\\fs24\\lang1033\\langfe1033\\cgrid \\snext0 \\sqformat \\spriority0 Normal;}}\r\n"
        "{\\*\\rsidtbl \\rsid1002\\rsid2003}{\\*\\generator Microsoft Word 11.0.6568;}"
        "{\\info{\\title Test}{\\author Somebody}}\r\n"
        "{\\header \\pard\\plain Page header text\\par}{\\footerr \\pard\\plain Page 1\\par}\r\n"
        "\\pard\\plain \\ltrpar\\ql \\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\fs24\\lang1033\\insrsid1002 "
        "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\insrsid1002 Visit }{\\field{\\*\\fldinst {\\insrsid1002  HYPERLINK "
        "\"http://example.org/\" }}{\\fldrslt {\\cs15\\ul\\cf2\\insrsid1002 our site}}}{\\insrsid1002 .\\par }\r\n"
        "\\trowd \\irow0\\irowband0\\ts11\\trgaph108 \\cellx2000\\cellx4000\\pard \\intbl "
        "{\\insrsid1002 One\\cell Two\\cell }\\pard \\intbl {\\insrsid1002 \\trowd \\irow0 \\cellx2000\\cellx4000\\row "
        "}\r\n"
        "\\pard {\\lang1049\\f1\\insrsid2003 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}{\\insrsid2003  "
        "\\u8220\\'93quoted\\u8221\\'94 "
        "{\\v hidden}\\emdash done\\par }\r\n"
        "{\\*\\themedata 504b0304}{\\*\\datastore 0105000002000000}}"));

    EXPECT_EQ(document.text(),
              u"Visit our site.\r\nOne\tTwo\t\r\n\u041F\u0440\u0438\u0432\u0435\u0442 \u201Cquoted\u201D \u2014done"_s);
    const CharFormat link = formatOf(document, u"our site"_s);
    EXPECT_TRUE(link.underline);
    EXPECT_EQ(link.colour, Yellow);
    EXPECT_EQ(formatOf(document, u"Visit"_s).fontName, u"Times New Roman"_s);
    EXPECT_EQ(formatOf(document, u"\u041F"_s).fontName, u"Arial Cyr"_s);
}

TEST(RtfReader, LibreOfficeDocument)
{
    RichDocument document;
    document.setRtfBytes(QByteArrayLiteral(
        "{\\rtf1\\ansi\\deff3\\adeflang1025\n"
        "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f3\\fswiss\\fprq2\\fcharset0 Liberation Sans;}"
        "{\\f4\\fnil\\fprq2\\fcharset0 Noto Sans CJK SC;}}\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\n"
        "{\\stylesheet{\\s0\\snext0\\ql\\widctlpar\\hyphpar0\\ltrpar\\cf0\\kerning1\\dbch\\af5\\langfe2052"
        "\\loch\\f3\\hich\\af3\\fs24\\lang7177 Normal;}}\n"
        "{\\*\\generator LibreOffice/7.4.7.2$Linux_X86_64 LibreOffice_project/40$Build-2}"
        "{\\info{\\creatim\\yr2024\\mo3\\dy1\\hr10\\min0}}\\deftab709\n"
        "{\\*\\pgdsctbl{\\pgdsc0\\pgdscuse451\\pgwsxn11906\\pghsxn16838{\\*\\pgdscnxt0 Default Page Style;}}}\n"
        "\\pard\\plain "
        "\\s0\\ql\\widctlpar\\hyphpar0\\ltrpar\\cf0\\kerning1\\dbch\\af5\\loch\\f3\\hich\\af3\\fs24\\lang7177{\\loch\n"
        "Die kat sit op die mat.  Dit re\\u235\\'ebn.}\n"
        "\\par \\pard\\plain \\s0\\ql{\\cf2\\loch\n"
        "Rooi}{\\loch\n"
        " woord \\u8211\\'96 klaar.}\n"
        "\\par }"));

    EXPECT_EQ(document.text(), u"Die kat sit op die mat.  Dit re\u00EBn.\r\nRooi woord \u2013 klaar."_s);
    EXPECT_EQ(document.fontName(), u"Liberation Sans"_s);
    EXPECT_EQ(formatOf(document, u"Rooi"_s).colour, Red);
    EXPECT_EQ(formatOf(document, u"Die"_s).kerning, 1);
    EXPECT_EQ(formatOf(document, u"Rooi"_s).kerning, 0); // \plain ended it
}

TEST(RtfReader, TextEditDocument)
{
    RichDocument document;
    document.setRtfBytes(
        QByteArrayLiteral("{\\rtf1\\ansi\\ansicpg1252\\cocoartf2639\n"
                          "\\cocoatextscaling0\\cocoaplatform0{\\fonttbl\\f0\\fswiss\\fcharset0 "
                          "Helvetica;\\f1\\fnil\\fcharset0 HelveticaNeue;}\n"
                          "{\\colortbl;\\red255\\green255\\blue255;\\red0\\green0\\blue255;}\n"
                          "{\\*\\expandedcolortbl;;\\csgenericrgb\\c0\\c0\\c100000;}\n"
                          "\\paperw11900\\paperh16840\\margl1440\\margr1440\\vieww11520\\viewh8400\\viewkind0\n"
                          "\\pard\\tx566\\tx1133\\pardirnatural\\partightenfactor0\n\n"
                          "\\f0\\fs24 \\cf0 First line\\\n"
                          "Second \\cf2 blue\\cf0  line\\\n"
                          "\\uc0\\u8220 Quoted\\u8221  and caf\\'e9\\\n"
                          "\\\n"
                          "\\f1 Neue}"));

    EXPECT_EQ(document.text(), u"First line\r\nSecond blue line\r\n\u201CQuoted\u201D and caf\u00E9\r\n\r\nNeue"_s);
    EXPECT_EQ(formatOf(document, u"blue"_s).colour, Blue);
    EXPECT_EQ(formatOf(document, u"First"_s).fontName, u"Helvetica"_s);
    EXPECT_EQ(formatOf(document, u"Neue"_s).fontName, u"HelveticaNeue"_s);
}

TEST(RtfReader, LayoutAsWordProcessorsStateIt)
{
    RichDocument document;
    document.setRtfBytes(layoutSamples[0]);
    ASSERT_EQ(document.text(), u"Justified\r\nnext line\r\nCentred\r\nSecond section\r\nafter the page break"_s);
    const DocumentFormat page = document.documentFormat();
    EXPECT_EQ(page.paperWidth, 11906);
    EXPECT_EQ(page.marginLeft, 1134);
    EXPECT_TRUE(page.landscape);
    EXPECT_EQ(page.defaultTabWidth, 709);
    EXPECT_EQ(page.defaultLanguage, 1078);
    ASSERT_EQ(document.sections().size(), 2);
    EXPECT_EQ(document.sections()[0].columns, 2);
    EXPECT_EQ(document.sections()[0].otherWords, "\\sbknone");
    EXPECT_EQ(document.sections()[1].pageWidth, 11906);

    const ParagraphFormat first = document.paragraphFormatAt(0);
    EXPECT_EQ(first.alignment, Alignment::Justified);
    EXPECT_EQ(first.leftIndent, 720);
    EXPECT_EQ(first.rightIndent, 360);
    EXPECT_EQ(first.firstLineIndent, -360);
    EXPECT_EQ(first.spaceBefore, 120);
    EXPECT_EQ(first.spaceAfter, 200);
    EXPECT_EQ(first.lineSpacing, 276);
    EXPECT_TRUE(first.lineSpacingMultiple && first.keepTogether && first.keepWithNext);
    EXPECT_EQ(first.tabStops, (QList<TabStop>{{5000, "\\tqr\\tldot", false}, {2000, "", true}}));
    // A line break is a CR LF of the text, but no new paragraph.
    EXPECT_EQ(document.breakAt(9), Break::Line);
    EXPECT_EQ(document.paragraphFormatAt(11), first);
    const ParagraphFormat centred = document.paragraphFormatAt(22);
    EXPECT_EQ(centred.alignment, Alignment::Centre);
    EXPECT_EQ(centred.otherWords, "\\brdrb\\brdrs\\brdrw10\\brsp20\\shading2000");
    EXPECT_EQ(document.breakAt(29), Break::Section);
    EXPECT_EQ(document.breakAt(45), Break::Page);

    // What the model does not interpret stays as the file wrote it, where it was.
    document.setRtfBytes(layoutSamples[1]);
    EXPECT_EQ(document.text(), u"Itemlink ab"_s);
    QStringList kept;
    for (const KeptRtf &item : document.keptRtf())
        kept << u"%1:%2"_s.arg(item.position).arg(QString::fromLatin1(item.rtf));
    EXPECT_EQ(kept,
              (QStringList{u"0:{\\listtext\\'b7\\tab}"_s, u"4:{\\*\\bkmkstart b}"_s, u"4:{\\*\\bkmkend b}"_s,
                           u"4:{\\field"_s, u"4:{\\*\\fldinst HYPERLINK \"x\"}"_s, u"4:{\\fldrslt"_s, u"8:}"_s,
                           u"8:}"_s, u"10:{\\pict\\pngblip 89504e47}"_s, u"11:{\\footnote\\pard note}"_s,
                           u"11:{\\*\\unknown keep me}"_s, u"11:\\chftn"_s}));
    EXPECT_TRUE(document.textRtf().contains(u"{\\stylesheet{\\s1 Heading;}}{\\*\\listtable{\\list\\listid1}}"_s));

    document.setRtfBytes(layoutSamples[2]);
    EXPECT_EQ(document.text(), u"a\tb\t\r\nA\t\r\nC\t\r\nafter"_s);
    EXPECT_EQ(document.breakAt(1), Break::Cell);
    EXPECT_EQ(document.breakAt(4), Break::Row);
    EXPECT_EQ(document.breakAt(7), Break::NestedCell);
    EXPECT_EQ(document.breakAt(8), Break::KeptGroup);
    EXPECT_EQ(document.paragraphFormatAt(0).otherWords, "\\intbl");
    EXPECT_EQ(document.keptRtf().first().rtf,
              "\\trowd\\trgaph108\\trbrdrt\\brdrs\\clbrdrb\\brdrs\\cellx2000\\cellx4000");

    document.setRtfBytes(layoutSamples[3]);
    EXPECT_EQ(document.text(), u"\u041Fs2xshown\r\n"_s);
    EXPECT_TRUE(document.formatAt(1).strike);
    EXPECT_EQ(document.formatAt(2).script, Script::Super);
    EXPECT_EQ(document.formatAt(3).script, Script::Sub);
}

TEST(RtfReader, UnicodeFallbackSkippingIsScopedToItsGroup)
{
    // \uc2 inside the group skips two fallback bytes; outside it the default of one applies again.
    EXPECT_EQ(rtfText("{\\rtf1 a{\\uc2\\u233 xyb}\\u233 zc}"), u"a\u00E9b\u00E9c"_s);
    // A hex escape and a control word each count as one fallback character.
    EXPECT_EQ(rtfText("{\\rtf1\\uc2 \\u8220\\'93\\'94x\\u8221\\tab\\'94y}"), u"\u201Cx\u201Dy"_s);
    // \uc0: nothing is skipped.
    EXPECT_EQ(rtfText("{\\rtf1\\uc0\\u8364 5}"), u"\u20AC5"_s);
    // Negative values count from 65536; a pair of them is one character beyond the BMP.
    EXPECT_EQ(rtfText("{\\rtf1\\u-3913?\\u-10179?\\u-8704?}"), u"\uF0B7\U0001F600"_s);
    // A group end stops the skipping.
    EXPECT_EQ(rtfText("{\\rtf1{\\uc3\\u233}xyz}"), u"\u00E9xyz"_s);
    // Half a surrogate pair is not a character.
    EXPECT_EQ(rtfText("{\\rtf1\\uc0 a\\u-10240 b}"), u"a\uFFFDb"_s);
}

TEST(RtfReader, CodePagesFromTheDocumentAndTheFont)
{
    EXPECT_EQ(rtfText("{\\rtf1\\ansi \\'80\\'e9\\'9c}"), u"\u20AC\u00E9\u0153"_s);
    EXPECT_EQ(rtfText("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}"), u"\u041F\u0440\u0438"_s);
    // Double-byte pairs are decoded together, also when one half is written as raw text.
    EXPECT_EQ(rtfText("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'88\\'9f.}"), u"\u3042\u4E9C."_s);
    EXPECT_EQ(rtfText("{\\rtf1\\ansi\\ansicpg936 \\'c4\\'e3\\'ba\\'c3}"), u"\u4F60\u597D"_s);
    EXPECT_EQ(rtfText("{\\rtf1\\ansi\\ansicpg65001 caf\\'c3\\'a9}"), u"caf\u00E9"_s);
    // The font's charset wins over the document's code page, in both directions.
    EXPECT_EQ(rtfText("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset238 B;}}"
                      "\\f1 \\'e8\\f0 \\'e8}"),
              u"\u010D\u00E8"_s);
    EXPECT_EQ(rtfText("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 M;}{\\f1\\fcharset0 T;}}"
                      "\\f1 \\'93x\\'94\\f0 \\'82\\'a0}"),
              u"\u201Cx\u201D\u3042"_s);
    EXPECT_EQ(rtfText("{\\rtf1\\mac \\'8e\\'a5}"), u"\u00E9\u2022"_s);
    EXPECT_EQ(rtfText("{\\rtf1\\pc \\'82}"), u"\u00E9"_s);
    EXPECT_EQ(rtfText("{\\rtf1\\pca \\'d5}"), u"\u0131"_s);
    // A byte the code page does not define.
    EXPECT_EQ(rtfText("{\\rtf1\\ansicpg932 \\'82}"), u"\uFFFD"_s);
}

TEST(RtfReader, SpecialCharactersAndBreaks)
{
    EXPECT_EQ(rtfText("{\\rtf1 a\\tab b\\~c\\-d\\_e\\{f\\}g\\\\h}"), u"a\tb\u00A0c\u00ADd\u2011e{f}g\\h"_s);
    EXPECT_EQ(rtfText("{\\rtf1\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet}"),
              u"\u2014\u2013\u2018\u2019\u201C\u201D\u2022"_s);
    EXPECT_EQ(rtfText("{\\rtf1 one\\par two\\line three\\sect four\\page five}"),
              u"one\r\ntwo\r\nthree\r\nfour\r\nfive"_s);
    // Line breaks in the source are not text.
    EXPECT_EQ(rtfText("{\\rtf1 one\r\ntwo\rthree\nfour}"), u"onetwothreefour"_s);
    // Only one blank after a control word is its delimiter.
    EXPECT_EQ(rtfText("{\\rtf1\\b  x\\b0   y}"), u" x  y"_s);
}

TEST(RtfReader, TablesAsTabSeparatedRows)
{
    EXPECT_EQ(rtfText("{\\rtf1\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row"
                      "\\trowd\\cellx1000\\cellx2000\\pard\\intbl\\cell c\\cell\\row\\pard after}"),
              u"a\tb\t\r\n\tc\t\r\nafter"_s);
    // A nested row ends inside its ignorable properties group; the fallback for old readers is not text.
    EXPECT_EQ(rtfText("{\\rtf1\\trowd\\cellx5000\\pard\\intbl\\itap2 A\\nestcell B\\nestcell"
                      "{\\*\\nesttableprops\\trowd\\cellx2000\\nestrow}{\\nonesttables FALLBACK\\par}"
                      "\\pard\\intbl\\itap1 C\\cell\\row after}"),
              u"A\tB\t\r\nC\t\r\nafter"_s);
    // Elsewhere the properties group stays silent.
    EXPECT_EQ(rtfText("{\\rtf1 x{\\*\\pict{\\*\\nesttableprops\\nestrow}}y}"), u"xy"_s);
}

TEST(RtfReader, DestinationsWithoutText)
{
    EXPECT_EQ(rtfText("{\\rtf1{\\*\\unknowndest secret}{\\*\\generator W;}shown}"), u"shown"_s);
    EXPECT_EQ(rtfText("{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s1 Heading;}}a}"), u"a"_s);
    EXPECT_EQ(rtfText("{\\rtf1{\\header h}{\\headerl h}{\\headerr h}{\\headerf h}{\\footer f}{\\footerl f}"
                      "{\\footerr f}{\\footerf f}b}"),
              u"b"_s);
    EXPECT_EQ(rtfText("{\\rtf1 note{\\footnote\\pard\\plain{\\super\\chftn} The note.}.}"), u"note."_s);
    EXPECT_EQ(rtfText("{\\rtf1{\\pntext\\f1 \\'b7\\tab}{\\listtext 1.\\tab}Item}"), u"Item"_s);
    EXPECT_EQ(rtfText("{\\rtf1 a{\\pict\\wmetafile8 0102ff}b}"), u"ab"_s);
    EXPECT_EQ(rtfText("{\\rtf1 x\\v hidden\\v0 y{\\v more}z}"), u"xyz"_s);
    // A field shows its result; the instruction is not text even without \*.
    EXPECT_EQ(rtfText("{\\rtf1{\\field{\\fldinst HYPERLINK x}{\\fldrslt link}}}"), u"link"_s);
    // An object shows its result only.
    EXPECT_EQ(rtfText("{\\rtf1{\\object\\objemb{\\*\\objclass Paint}{\\objdata 0105}{\\result{\\pict 01}shown}}}"),
              u"shown"_s);
    // \bin data is skipped by its count, braces and backslashes included, also in a skipped group.
    EXPECT_EQ(rtfText("{\\rtf1 a{\\*\\blipdata\\bin4 }{\\}b}c}"), u"ac"_s);
    EXPECT_EQ(rtfText("{\\rtf1 a{\\pict\\bin3 }\\}}b}"), u"ab"_s);
}

TEST(RtfReader, BackgroundFromHighlightShadingAndCb)
{
    RichDocument document;
    document.setRtfBytes(QByteArrayLiteral(
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green255\\blue255;}"
        "{\\highlight1 a}{\\chcbpat2 b}{\\cb1 c}{\\highlight3 d}e}"));
    ASSERT_EQ(document.text(), u"abcde"_s);
    EXPECT_EQ(document.formatAt(0).background, Red);
    EXPECT_EQ(document.formatAt(1).background, Blue);
    EXPECT_EQ(document.formatAt(2).background, Red);
    EXPECT_FALSE(document.formatAt(3).background.has_value()); // white is no highlight
    EXPECT_FALSE(document.formatAt(4).background.has_value());
}

TEST(RtfReader, CharacterFormattingAndItsScope)
{
    RichDocument document;
    document.setRtfBytes(QByteArrayLiteral(
        "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\fs20 a{\\b\\i\\ul\\f1\\fs28\\up6\\kerning2 b}"
        "{\\ulw\\dn4 c}d\\b e\\plain f}"));
    ASSERT_EQ(document.text(), u"abcdef"_s);
    const CharFormat b = document.formatAt(1);
    EXPECT_TRUE(b.bold && b.italic && b.underline);
    EXPECT_EQ(b.fontName, u"Courier New"_s);
    EXPECT_EQ(b.fontSizeHalfPoints, 28);
    EXPECT_EQ(b.offset, 6);
    EXPECT_EQ(b.kerning, 2);
    EXPECT_TRUE(document.formatAt(2).underline);
    EXPECT_EQ(document.formatAt(2).offset, -4);
    const CharFormat d = document.formatAt(3);
    EXPECT_FALSE(d.bold || d.italic || d.underline);
    EXPECT_EQ(d.fontName, u"Arial"_s);
    EXPECT_EQ(d.fontSizeHalfPoints, 20);
    EXPECT_TRUE(document.formatAt(4).bold);
    EXPECT_FALSE(document.formatAt(5).bold);
    EXPECT_EQ(document.formatAt(5).fontSizeHalfPoints, 24); // \plain: RTF's default size
}

} // namespace
} // namespace tallimark
