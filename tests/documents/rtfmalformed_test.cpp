// Huge RTF: the reader keeps it all (broken pieces of RTF are rows of the reader's table, random
// ones the fuzz corpus).
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

TEST(RtfMalformed, FiftyMegabyteDocument)
{
    // About 50 MB of RTF with formatting changes, groups and escapes all through it.
    const QByteArray chunk = "{\\b Bold} plain caf\\'e9 {\\i\\u8220\\'93quoted\\u8221\\'94}\\par\r\n";
    const int repeats = 50 * 1024 * 1024 / int(chunk.size());
    const RichDocument document = rtfDocument("{\\rtf1\\ansi " + chunk.repeated(repeats) + '}');
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
