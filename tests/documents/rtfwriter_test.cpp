// The RTF our writer produces, and what survives a trip through it.
#include "testsupport.h"

#include "support/rowname.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

// The text exactly, and every character's format, in a file any reader takes: ASCII only, Windows-1252
// characters as \'hh, the rest as \uN with a one-character fallback. Some readers draw "no highlight"
// (\highlight0) black: a highlight ends with its group instead, and white is none.
TEST(RtfWriter, TextAndFormattingSurviveTheWriter)
{
    RichDocument document = documentWithText(u"plain bold under red on-green big up kern\r\nnext\r\nLine one\r\n"
                                             u"lone CR\rlone LF\n\ttab  two blanks \u00A0nbsp {b} \\ "
                                             u"\u0001\u007F\u0080\u009D\u00FF\u0152\u2013\u0416\U0001F600\r\n\r\n"_s);
    // clang-format off
    const std::tuple<int, int, std::function<void()>> formats[] = {
        {6, 4, [&] { document.setSelBold(true); }}, {11, 5, [&] { document.setSelUnderline(true); }},
        {17, 3, [&] { document.setSelColour(Red); }}, {21, 8, [&] { document.setSelBackground(0x00FF00); }},
        {30, 3, [&] { document.setSelFontName(u"Courier New"_s); }}, {34, 2, [&] { document.setSelOffset(-4); }},
        {37, 4, [&] { document.setSelKerning(2); }}, {43, 4, [&] { document.setSelBackground(White); }}};
    // clang-format on
    for (const auto &[start, length, format] : formats) {
        select(document, start, length);
        format();
    }
    document.setFontName(u"Arial"_s);

    const QString rtf = document.textRtf();
    EXPECT_TRUE(rtf.startsWith(u"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl"_s)) << rtf;
    EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](QChar c) { return c.unicode() < 0x80; }));
    for (const QString &part :
         {u"{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green255\\blue0;}"_s, u"{\\highlight2 on-green}"_s, u"\\uc1"_s,
          u"\\'a0nbsp \\{b\\} \\\\ "_s, u"\\'ff\\'8c\\'96\\u1046?\\u-10179?\\u-8704?"_s})
        EXPECT_TRUE(rtf.contains(part)) << part << " in " << rtf;
    for (const QString &word : {u"\\highlight0"_s, u"\\cb"_s, u"\\chcbpat"_s})
        EXPECT_FALSE(rtf.contains(word)) << word << " in " << rtf;

    const RichDocument loaded = reread(document);
    EXPECT_EQ(firstDifference(loaded, document), QString());
    EXPECT_EQ(loaded.fontName(), u"Arial"_s);
}

// What the writer states around runs: a mark (a repeat red and underlined, an error white on red)
// is a group of its own, closed where its text ends, so that nothing it sets reaches the
// paragraph mark, list label or hyperlink after it; every paragraph starts with \pard\plain and
// each run states its font, size and language, so that no style's formatting reaches the text.
struct WriterCase
{
    const char *name;
    QByteArray rtf;
    QString repeat; // the word marked as a repeated error, if any
    QStringList written;
    QStringList notWritten{};
};
TALLIMARK_ROW_PRINTS_ITS_NAME(WriterCase)

using WhatTheWriterStates = ::testing::TestWithParam<WriterCase>;

TEST_P(WhatTheWriterStates, AsTheRowSays)
{
    const WriterCase &row = GetParam();
    RichDocument document = rtfDocument(row.rtf);
    if (!row.repeat.isEmpty()) {
        select(document, int(document.text().indexOf(row.repeat)), int(row.repeat.size()));
        document.setSelColour(Red);
        document.setSelUnderline(true);
    }
    const QString rtf = document.textRtf();
    for (const QString &part : row.written)
        EXPECT_TRUE(rtf.contains(part)) << part << " in " << rtf;
    for (const QString &part : row.notWritten)
        EXPECT_FALSE(rtf.contains(part)) << part << " in " << rtf;
    EXPECT_EQ(firstDifference(reread(document), document), QString());
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
INSTANTIATE_TEST_SUITE_P(Marks, WhatTheWriterStates, ::testing::Values(
    WriterCase{"aRepeatAtTheEndOfAParagraph", libreOfficeList, u"candles."_s,
               {u"{\\ul\\cf3 candles.\r\n}\\par"_s, u"{\\f4\\fs24\\ul\\cf2\\lang255 Crazy}"_s,
                u"\\strike struck\\strike0"_s},
               {u"\\ulnone"_s}},
    // An error at a line end, with blanks: the clean-up of sentence ends still sees ".  " and the CR.
    WriterCase{"anErrorBeforeBlanksAndALineEnd", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red255\\green255\\blue255;}{\\highlight1\\cf2 end.  }\\par next}", QString(),
               {u"end.  \r\n}\\par"_s}},
    // AbiWord states a superscript reference style, \\plain and each run's font, size and language.
    WriterCase{"anAbiWordParagraph",
               "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}{\\stylesheet{\\*\\cs14\\fs20\\super Endnote "
               "Reference;}{\\s28\\f0\\fs24 Normal;}}\\pard\\plain\\ltrpar\\ql\\s28{\\s28\\f0\\fs24\\lang1033 Ten "
               "words.}{\\s28\\f0\\fs24\\lang1033\\par}\\pard\\plain\\s28{\\s28\\f0\\fs24\\lang1033 More.}}", QString(),
               {u"\\pard\\plain\\ltrpar"_s, u"\\f0\\fs24\\lang1033 Ten words.\r\n\\par\\pard\\plain"_s,
                u"\\f0\\fs24\\lang1033 More."_s}},
    // Only \\plain takes a language back to the document's.
    WriterCase{"aLanguageThatEnds", "{\\rtf1\\deflang1078 {\\lang1033 English} none}", QString(),
               {u"\\lang1033 English\\plain\\f0\\fs24  none"_s}}),
    RowName());
// clang-format on

TEST(RtfWriter, SourceEditedWithCharactersBeyondAscii)
{
    // A caller may put any character into the source it sets back; Latin-1 characters go back
    // as the bytes they came from (kept pictures' \bin data included).
    RichDocument document;
    document.setTextRtf(u"{\\rtf1 caf\u00E9 \u0416 \u20AC \u0080}"_s);
    EXPECT_EQ(document.text(), u"caf\u00E9 \u0416 \u20AC \u20AC"_s);
}

} // namespace
} // namespace tallimark
