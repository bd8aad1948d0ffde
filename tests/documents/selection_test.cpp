// Selection, insertion and formatting the way the marking engine uses them.
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

// Start and length are clamped to the text, and count CR and LF as one character each.
TEST(Selection, StartAndLengthAreClampedToTheText)
{
    RichDocument document = rtfDocument("{\\rtf1 ab\\par cd\\line e}");
    ASSERT_EQ(document.text(), u"ab\r\ncd\r\ne"_s);
    const struct
    {
        int start, length, selStart, selLength;
    } rows[] = {{2, 3, 2, 3}, {8, 1, 8, 1}, {4, 10, 4, 5}, {99, 1, 9, 0}, {-3, 2, 0, 2}, {2, -1, 2, 0}};
    for (const auto &row : rows) {
        select(document, row.start, row.length);
        EXPECT_EQ(document.selStart(), row.selStart) << row.start << "+" << row.length;
        EXPECT_EQ(document.selLength(), row.selLength) << row.start << "+" << row.length;
        EXPECT_EQ(document.selText(), document.text().mid(row.selStart, row.selLength));
    }
}

// Typing replaces the selection and leaves the caret after it, in the format of the character
// before the caret; a replacement keeps the format of the first character it replaces.
TEST(Selection, TypingReplacesTheSelectionInTheFormatBeforeTheCaret)
{
    RichDocument document = documentWithText(u"one two three"_s);
    select(document, 0, 3);
    document.setSelBold(true);
    select(document, 4, 3);
    document.setSelText(u"2"_s);
    EXPECT_EQ(document.selStart(), 5);
    EXPECT_EQ(document.selLength(), 0);
    document.setSelText(u"!"_s);
    document.setSelStart(3);
    document.setSelText(u"x"_s);
    select(document, 0, 2);
    document.setSelText(u"O"_s);
    document.setSelStart(0);
    document.setSelText(u"\r\n"_s); // a header line at the top
    ASSERT_EQ(document.text(), u"\r\nOex 2! three"_s);
    QString bold;
    for (int i = 2; i < document.length(); ++i)
        bold += document.formatAt(i).bold ? u'b' : u'-';
    EXPECT_EQ(bold, u"bbb---------"_s);
}

// Formatting applies to the selected characters only; a later entry over some of them overrides
// (an error's highlight is checked where the marking makes it); setting the text drops it all.
TEST(Selection, FormattingAppliesToTheSelectedCharactersUntilTheTextIsSet)
{
    RichDocument document = documentWithText(u"the cat sat"_s);
    select(document, 4, 3);
    document.setSelBackground(Red);
    select(document, 5, 1);
    document.setSelUnderline(true);
    document.setSelBackground(White); // white clears the highlight
    EXPECT_TRUE(document.formatAt(5).underline);
    EXPECT_FALSE(document.formatAt(5).background.has_value());
    EXPECT_EQ(document.formatAt(4).background, Red);
    EXPECT_FALSE(document.formatAt(4).underline);
    EXPECT_EQ(document.runs().size(), 5);

    document.setSelStart(3);
    document.setText(u"new"_s);
    EXPECT_EQ(document.selStart(), 0);
    ASSERT_EQ(document.runs().size(), 1);
    EXPECT_EQ(document.runs().first().format, CharFormat{});
    document.setText(QString());
    EXPECT_TRUE(document.runs().isEmpty());
}

// The report block: formatting set on the insertion point at the end goes to the text inserted
// there, and so do offset and kerning.
TEST(Selection, InsertionPointFormattingGoesToTheNextInsertedText)
{
    RichDocument document = documentWithText(u"typed text"_s);
    appendReportBlock(u"\r\nReport"_s, document);
    EXPECT_EQ(document.text(), u"typed text\r\nReport"_s);
    const CharFormat report = document.formatAt(12);
    EXPECT_TRUE(report.bold);
    EXPECT_EQ(report.colour, Red);
    EXPECT_EQ(report.fontName, u"Courier"_s);
    EXPECT_FALSE(document.formatAt(9).bold);
    document.setSelOffset(0);
    document.setSelKerning(1);
    document.setSelText(u"."_s);
    EXPECT_EQ(document.formatAt(18).kerning, 1);
}

TEST(Selection, EditsKeepTheLayoutAndKeptGroupsInPlace)
{
    RichDocument document = rtfDocument("{\\rtf1\\pard\\qc ab{\\*\\bkmkstart m}cd{\\pict 01}\\par\\pard\\qr ef}");
    ASSERT_EQ(document.text(), u"abcd\r\nef"_s);
    select(document, 1, 2);
    document.setSelText(u"XYZ"_s); // the bookmark stood inside: it stays, at the edit's start
    document.setSelStart(document.length());
    document.setSelText(u"\r\ngh"_s); // a report block continues the last paragraph's layout
    EXPECT_EQ(document.text(), u"aXYZd\r\nef\r\ngh"_s);
    ASSERT_EQ(document.keptRtf().size(), 2);
    EXPECT_EQ(document.keptRtf()[0].position, 1);
    EXPECT_EQ(document.keptRtf()[1].position, 5);
    EXPECT_EQ(document.paragraphFormatAt(2).alignment, Alignment::Centre);
    EXPECT_EQ(document.paragraphFormatAt(7).alignment, Alignment::Right);
    EXPECT_EQ(document.paragraphFormatAt(11).alignment, Alignment::Right);
    EXPECT_EQ(firstDifference(reread(document), document), QString());
}

} // namespace
} // namespace tallimark
