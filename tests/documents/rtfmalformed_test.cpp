// Broken, hostile and huge RTF: the reader keeps what it can and never fails.
#include "testsupport.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

TEST(RtfMalformed, DeepNestingNeedsNoCallStack)
{
    const int depth = 100000;
    QByteArray rtf = "{\\rtf1 a";
    rtf += QByteArray(depth, '{') + "\\b x" + QByteArray(depth, '}') + " y}";
    RichDocument document;
    document.setRtfBytes(rtf);
    EXPECT_EQ(document.text(), u"ax y"_s);
    EXPECT_TRUE(document.formatAt(1).bold);
    // Past the depth limit groups share one state, which is still undone when they close.
    EXPECT_FALSE(document.formatAt(3).bold);
}

TEST(RtfMalformed, UnclosedGroupsKeepTheTextReadSoFar)
{
    EXPECT_EQ(rtfText("{\\rtf1 Hello {\\b wor"), u"Hello wor"_s);
    EXPECT_EQ(rtfText(QByteArray("{\\rtf1 ").append(QByteArray(100000, '{')).append("deep").constData()), u"deep"_s);
    EXPECT_EQ(rtfText("{\\rtf1 a\\par"), u"a"_s);
    EXPECT_EQ(rtfText("{\\rtf1 a\\par b"), u"a\r\nb"_s);
}

TEST(RtfMalformed, BrokenControlSequences)
{
    EXPECT_EQ(rtfText("{\\rtf1 ab\\"), u"ab"_s);        // backslash at the end
    EXPECT_EQ(rtfText("{\\rtf1 a\\'zz}"), u"azz"_s);    // \' without hex digits
    EXPECT_EQ(rtfText("{\\rtf1 a\\'e}"), u"a\u000E"_s); // one hex digit
    EXPECT_EQ(rtfText("{\\rtf1\\fs99999999999999999999 a\\u99999999999 b}"), u"a\uFFFD"_s);
    EXPECT_EQ(rtfText("{\\rtf1\\uc-5 \\u233 x}"), u"\u00E9x"_s);
    EXPECT_EQ(rtfText("{\\rtf1 a\\bin-5 b}"), u"ab"_s);
    // The \bin count is larger than what is left of the file.
    EXPECT_EQ(rtfText("{\\rtf1 ab\\bin999999 xyz}"), u"ab"_s);
    // A font table and a colour table that never end.
    EXPECT_EQ(rtfText("{\\rtf1{\\fonttbl{\\f0 Arial"), QString());
    EXPECT_EQ(rtfText("{\\rtf1{\\colortbl;\\red255;;"), QString());
    // Colour and font numbers that name no entry.
    EXPECT_EQ(rtfText("{\\rtf1\\cf99\\highlight-3\\f42 x}"), u"x"_s);
}

TEST(RtfMalformed, NothingAfterTheDocumentGroupIsRead)
{
    EXPECT_EQ(rtfText("{\\rtf1 a}}}b{c}"), u"a"_s);
}

TEST(RtfMalformed, RandomBytesAfterTheHeader)
{
    QRandomGenerator random(20131024);
    for (int round = 0; round < 200; ++round) {
        QByteArray rtf = "{\\rtf1";
        const int size = int(random.bounded(4000));
        for (int i = 0; i < size; ++i) {
            // Mostly RTF's own specials, so that the random bytes form groups and words.
            static const char specials[] = "{}\\'*0123456789abuc -;";
            rtf +=
                random.bounded(3) == 0 ? specials[random.bounded(int(sizeof specials - 1))] : char(random.bounded(256));
        }
        RichDocument document;
        document.setRtfBytes(rtf);
        EXPECT_LE(document.length(), 2 * rtf.size());
        EXPECT_EQ(document.runs().size() > 0, document.length() > 0);
        // What was read survives our own writer.
        RichDocument copy;
        copy.setTextRtf(document.textRtf());
        ASSERT_EQ(copy.text(), document.text()) << rtf.toBase64().toStdString();
    }
}

TEST(RtfMalformed, FiftyMegabyteDocument)
{
    // About 50 MB of RTF with formatting changes, groups and escapes all through it.
    const QByteArray chunk = "{\\b Bold} plain caf\\'e9 {\\i\\u8220\\'93quoted\\u8221\\'94}\\par\r\n";
    const int repeats = 50 * 1024 * 1024 / int(chunk.size());
    QByteArray rtf = "{\\rtf1\\ansi ";
    rtf.reserve(qsizetype(repeats) * chunk.size() + 32);
    for (int i = 0; i < repeats; ++i)
        rtf += chunk;
    rtf += '}';
    RichDocument document;
    document.setRtfBytes(rtf);
    const QString line = u"Bold plain caf\u00E9 \u201Cquoted\u201D\r\n"_s;
    // The last paragraph mark is the document's final one, which is not part of the text.
    EXPECT_EQ(document.length(), qsizetype(repeats) * line.size() - 2);
    EXPECT_TRUE(document.text().endsWith(line.chopped(2)));
    const int last = document.length() - int(line.size() - 2);
    EXPECT_TRUE(document.formatAt(last).bold);
    EXPECT_FALSE(document.formatAt(last + 4).bold);
    EXPECT_TRUE(document.formatAt(last + 17).italic);
}

} // namespace
} // namespace tallimark
