// Random and huge RTF: the reader keeps what it can and never fails (broken pieces of RTF are
// rows of the reader's table).
#include "testsupport.h"

#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

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
        ASSERT_EQ(reread(document).text(), document.text()) << rtf.toBase64().toStdString();
    }
}

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
