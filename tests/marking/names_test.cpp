// Names: one learner, one name in the destination; file names kept as the system's bytes.
#include "documents/platformfile.h"
#include "marking/destinationnames.h"
#include "support/qstringprinting.h"

#include <gtest/gtest.h>

using namespace tallimark;
using namespace Qt::StringLiterals;

// Names held by an earlier session for another learner count as taken, like those of the
// session's own earlier tests.
TEST(DestinationNames, EveryTestGetsANameOfItsOwn)
{
    // clang-format off
    const struct { QStringList tests, names, heldByOthers{}; /* names an earlier session gave other tests */ } cases[] = {
        {{u"/c/Anika/Toets.rtf"_s, u"/c/Ben/Toets.rtf"_s, u"/c/Cara/toets.RTF"_s},
         {u"Toets.rtf"_s, u"Ben - Toets.rtf"_s, u"Cara - toets.RTF"_s}},
        {{u"/a/Class/Toets.rtf"_s, u"/b/Class/Toets.rtf"_s, u"/c/Class/Toets.rtf"_s},
         {u"Toets.rtf"_s, u"Class - Toets.rtf"_s, u"Class 2 - Toets.rtf"_s}},
        {{u"/c/Jan.rtf"_s, u"/c/Jan.rtf"_s}, {u"Jan.rtf"_s, u"Jan.rtf"_s}},
        {{u"/b/Jan.rtf"_s, u"/c/Piet.rtf"_s}, {u"b - Jan.rtf"_s, u"Piet.rtf"_s}, {u"Jan.rtf"_s}},
        {{u"/b/Jan.rtf"_s, u"/c/Jan.rtf"_s}, {u"b 2 - Jan.rtf"_s, u"Jan.rtf"_s}, {u"Jan.rtf"_s, u"b - Jan.rtf"_s}},
    };
    // clang-format on
    for (const auto &testCase : cases) {
        const auto held = [&](const QString &name, const QString &test) {
            return test.startsWith(u"/b/"_s) && testCase.heldByOthers.contains(name);
        };
        EXPECT_EQ(destinationFileNames(testCase.tests, held), testCase.names)
            << testCase.tests.join(u' ').toStdString();
    }
}

// The window's destination box, the command line's --dest and the session's question refuse the
// same names: paths, the folder itself or its parent, nothing, and names too long for a disk.
TEST(DestinationNames, OnlyAUsableFolderNameIsTaken)
{
    QStringList usable{u"Grade 10A"_s, u".hidden"_s, u"Gr\u00E4de 10 \u2013 Zo\u00EB"_s, QString(255, u'x')};
    // The last: 256 bytes in UTF-8.
    QStringList refused{QString(), u"."_s, u".."_s, u"a/b"_s, u"a\\b"_s, QString(256, u'x'), QString(128, QChar(0xEB))};
    // Windows keeps no folder named with these characters or ending in a dot or a blank.
#ifdef Q_OS_WIN
    refused << u"..."_s << u"Gr10: A"_s << u"Term 2?"_s << u"Gr10 "_s << u"a*b"_s;
#else
    usable << u"..."_s << u"Gr10: A"_s;
#endif
    for (const QString &name : std::as_const(usable))
        EXPECT_EQ(destinationNameProblem(name), QString()) << name.toStdString();
    for (const QString &name : std::as_const(refused))
        EXPECT_NE(destinationNameProblem(name), QString()) << name.toStdString();
}

TEST(FileNames, TheSystemsBytesSurviveTheTripThroughAString)
{
    const QByteArray names[] = {"plain.rtf", "Zo\xc3\xab.rtf", "bad\xff.rtf", "\xc3(\xe2\x82.rtf", "two\nlines.rtf"};
    for (const QByteArray &name : names)
        EXPECT_EQ(platform::encodeName(platform::decodeName(name)), name) << name.toHex().toStdString();
    EXPECT_EQ(platform::decodeName("Zo\xc3\xab.rtf"), QStringLiteral("Zo\u00EB.rtf"));
}
