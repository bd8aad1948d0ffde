// The RTF our writer produces, and what survives a trip through it.
#include "testsupport.h"

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
