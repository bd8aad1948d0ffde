// The RTF our writer produces, and what survives a trip through it.
#include "testsupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

constexpr Colour Green = 0x00FF00;

bool isPureAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

RichDocument documentWithText(const QString &text)
{
    RichDocument document;
    document.setText(text);
    return document;
}

TEST(RtfWriter, WritesACompleteAsciiDocument)
{
    const QString rtf = documentWithText(u"Caf\u00E9 \u20AC5 \u0416 \U0001F600 {x} a\\b"_s).textRtf();
    EXPECT_TRUE(rtf.startsWith(u"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl"_s)) << rtf;
    EXPECT_TRUE(rtf.contains(u"{\\colortbl"_s));
    EXPECT_TRUE(rtf.contains(u"\\uc1"_s));
    EXPECT_TRUE(rtf.endsWith(u'}'));
    EXPECT_TRUE(isPureAscii(rtf));
    // Windows-1252 characters as \'hh, the rest as \uN with a one-character fallback.
    EXPECT_TRUE(rtf.contains(u"Caf\\'e9 \\'805"_s)) << rtf;
    EXPECT_TRUE(rtf.contains(u"\\u1046?"_s));
    EXPECT_TRUE(rtf.contains(u"\\u-10179?\\u-8704?"_s));
    EXPECT_TRUE(rtf.contains(u"\\{x\\} a\\\\b"_s));
}

TEST(RtfWriter, LineBreakFollowsTheLastCharacterOfTheLine)
{
    RichDocument document = documentWithText(u"One.  \r\nTwo. \r\nThree!  \r\n\r\nEnd."_s);
    // The first line bold, so that formatting changes around the breaks as well.
    document.setSelStart(0);
    document.setSelLength(6);
    document.setSelBold(true);
    const QString rtf = document.textRtf();
    EXPECT_TRUE(rtf.contains(u"One.  \r\n\\par"_s)) << rtf;
    EXPECT_TRUE(rtf.contains(u"Two. \r\n\\par"_s)) << rtf;
    EXPECT_TRUE(rtf.contains(u"Three!  \r\n\\par\\pard\r\n\\par"_s)) << rtf;

    // The sentence-end clean-up works on the source with plain replacements.
    QString edited = rtf;
    edited.replace(u".  \r"_s, u".\r"_s).replace(u". \r"_s, u".\r"_s).replace(u"!  \r"_s, u"!\r"_s);
    document.setTextRtf(edited);
    EXPECT_EQ(document.text(), u"One.\r\nTwo.\r\nThree!\r\n\r\nEnd."_s);
    EXPECT_TRUE(document.formatAt(0).bold);
    EXPECT_FALSE(document.formatAt(6).bold);
}

TEST(RtfWriter, HighlightIsAGroupOfItsOwnAndWhiteIsNone)
{
    RichDocument document = documentWithText(u"red white red"_s);
    document.setSelStart(0);
    document.setSelLength(3);
    document.setSelBackground(Red);
    document.setSelStart(4);
    document.setSelLength(5);
    document.setSelBackground(White);
    document.setSelStart(10);
    document.setSelLength(3);
    document.setSelBold(true);
    document.setSelBackground(Red);
    const QString rtf = document.textRtf();
    EXPECT_TRUE(rtf.contains(u"{\\colortbl ;\\red255\\green0\\blue0;}"_s)) << rtf;
    // Some readers draw "no highlight" (\highlight0) black: a highlight ends with its group.
    EXPECT_TRUE(rtf.contains(u"\\highlight1 red}"_s)) << rtf;
    EXPECT_TRUE(rtf.contains(u" white {\\b\\highlight1 red}"_s)) << rtf;
    EXPECT_FALSE(rtf.contains(u"\\highlight0"_s) || rtf.contains(u"\\cb"_s) || rtf.contains(u"\\chcbpat"_s));
    EXPECT_FALSE(rtf.contains(u"\\red255\\green255\\blue255"_s));
}

TEST(RtfWriter, PlainTextSurvivesSaveAndLoadExactly)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(u"plain.rtf"_s);
    const QString text = u"Line one\r\nlone CR\rlone LF\n\ttab  two blanks \u00A0nbsp {b} \\ "
                         u"\u0001\u007F\u0080\u009D\u00FF\u0152\u2013\U0001F600\r\n\r\n"_s;
    const RichDocument original = documentWithText(text);
    ASSERT_FALSE(original.saveFile(path).failed());
    RichDocument loaded;
    ASSERT_FALSE(loaded.loadFile(path).failed());
    EXPECT_EQ(loaded.text(), text);
}

TEST(RtfWriter, TheFinalParagraphMarkIsWrittenAndReadBackAsNone)
{
    // Word processors end every document with \par; it closes the last paragraph and is no
    // line break of the text. A learner who stopped typing mid-word ends on that word.
    EXPECT_EQ(rtfText("{\\rtf1\\ansi Stopped mid-wo\\par\r\n}"), u"Stopped mid-wo"_s);
    EXPECT_EQ(rtfText("{\\rtf1\\ansi One\\par\r\n\\par\r\n}"), u"One\r\n"_s);
    EXPECT_EQ(rtfText("{\\rtf1\\ansi No mark at the end}"), u"No mark at the end"_s);

    for (const QString &text : {u""_s, u"end.  "_s, u"a\r\n"_s, u"a\r\n\r\n"_s, u"\r\n"_s}) {
        const QString rtf = documentWithText(text).textRtf();
        EXPECT_TRUE(rtf.endsWith(u"\r\n\\par}"_s)) << rtf;
        RichDocument reread;
        reread.setTextRtf(rtf);
        EXPECT_EQ(reread.text(), text);
    }
}

TEST(RtfWriter, FormattingSurvivesLoadSourceAndSave)
{
    RichDocument document = documentWithText(u"plain bold under red on-green big up kern\r\nnext"_s);
    const auto select = [&document](int start, int length) {
        document.setSelStart(start);
        document.setSelLength(length);
    };
    select(6, 4);
    document.setSelBold(true);
    select(11, 5);
    document.setSelUnderline(true);
    select(17, 3);
    document.setSelColour(Red);
    select(21, 8);
    document.setSelBackground(Green);
    select(30, 3);
    document.setSelFontName(u"Courier New"_s);
    select(34, 2);
    document.setSelOffset(-4);
    select(37, 4);
    document.setSelKerning(2);
    document.setFontName(u"Arial"_s);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString first = folder.filePath(u"first.rtf"_s);
    const QString second = folder.filePath(u"second.rtf"_s);
    ASSERT_FALSE(document.saveFile(first).failed());
    RichDocument loaded;
    ASSERT_FALSE(loaded.loadFile(first).failed());
    RichDocument copy;
    copy.setTextRtf(loaded.textRtf());
    ASSERT_FALSE(copy.saveFile(second).failed());
    RichDocument reloaded;
    ASSERT_FALSE(reloaded.loadFile(second).failed());

    ASSERT_EQ(reloaded.text(), document.text());
    EXPECT_EQ(reloaded.fontName(), u"Arial"_s);
    const QString text = document.text();
    for (int i = 0; i < document.length(); ++i) {
        // A paragraph break carries the formatting of the text before it (see rtfwriter.h).
        const bool lineBreak = text[i] == u'\r' || text[i] == u'\n';
        CharFormat expected = document.formatAt(lineBreak ? i - (text[i] == u'\r' ? 1 : 2) : i);
        if (expected.fontName.isEmpty())
            expected.fontName = u"Arial"_s; // the default font is named in the file
        EXPECT_EQ(reloaded.formatAt(i), expected) << "at " << i;
    }
}

TEST(RtfWriter, SourceEditedWithCharactersBeyondAscii)
{
    // A caller may put any character into the source it sets back.
    RichDocument document;
    // Latin-1 characters go back as the bytes they came from (kept pictures' \\bin data included).
    document.setTextRtf(u"{\\rtf1 caf\u00E9 \u0416 \u20AC \u0080}"_s);
    EXPECT_EQ(document.text(), u"caf\u00E9 \u0416 \u20AC \u20AC"_s);
}

// Layout, breaks and kept groups read back the same after the writer, and its RTF once more.
TEST(RtfWriter, LayoutSurvivesTheWriter)
{
    for (const char *rtf : layoutSamples) {
        RichDocument document;
        document.setRtfBytes(rtf);
        const RichDocument copy = reread(document);
        EXPECT_EQ(firstDifference(copy, document), QString()) << rtf << "\n" << document.textRtf();
        EXPECT_EQ(reread(copy).textRtf(), copy.textRtf());
    }
}

TEST(RtfWriter, ReadingOurOwnSourceIsAFixedPoint)
{
    RichDocument document;
    document.setRtfBytes(
        QByteArrayLiteral("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial Cyr;}{\\f1 Times;}}"
                          "{\\colortbl;\\red1\\green2\\blue3;}\\f0 \\'cf\\cf1 x{\\f1\\b y\\par}\\highlight1 z}"));
    const QString rtf = document.textRtf();
    RichDocument copy;
    copy.setTextRtf(rtf);
    EXPECT_EQ(copy.text(), u"\u041Fxy\r\nz"_s);
    EXPECT_EQ(copy.textRtf(), rtf);

    // Font names with what a font table cannot hold (found by fuzzing).
    document.setRtfBytes(QByteArrayLiteral("{\\rtf1{\\fonttbl{\\f0 A\\u59?B\\u1046?\\'01;}}x}"));
    EXPECT_EQ(document.fontName(), u"AB\u0416"_s);
    copy.setTextRtf(document.textRtf());
    EXPECT_EQ(copy.textRtf(), document.textRtf());

    // Text before the font table names the default font, and text in a number the table lacks,
    // is in the default font: one run with it (found by fuzzing: the runs merged only when read
    // back, and the highlight's groups with them).
    document.setRtfBytes(QByteArrayLiteral(
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\highlight1 a{\\fonttbl{\\f0 Arial;}}b{\\f5 c}d}"));
    ASSERT_EQ(document.runs().size(), 1);
    EXPECT_EQ(document.runs().front().format.fontName, u"Arial"_s);
    copy.setTextRtf(document.textRtf());
    EXPECT_EQ(copy.textRtf(), document.textRtf());
}

} // namespace
} // namespace tallimark
