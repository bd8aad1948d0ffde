// Names: one learner, one name in the destination; file names kept as the system's bytes.
#include "documents/platformfile.h"
#include "marking/destinationnames.h"

#include <gtest/gtest.h>

using namespace tallimark;
using namespace Qt::StringLiterals;

TEST(DestinationNames, EveryTestOfASessionGetsANameOfItsOwn)
{
    const struct
    {
        QStringList tests;
        QStringList names;
    } cases[] = {
        {{u"/c/Jan.rtf"_s, u"/c/Piet.rtf"_s}, {u"Jan.rtf"_s, u"Piet.rtf"_s}},
        {{u"/c/Anika/Toets.rtf"_s, u"/c/Ben/Toets.rtf"_s, u"/c/Cara/toets.RTF"_s},
         {u"Toets.rtf"_s, u"Ben - Toets.rtf"_s, u"Cara - toets.RTF"_s}},
        {{u"/a/Class/Toets.rtf"_s, u"/b/Class/Toets.rtf"_s, u"/c/Class/Toets.rtf"_s},
         {u"Toets.rtf"_s, u"Class - Toets.rtf"_s, u"Class 2 - Toets.rtf"_s}},
        {{u"/c/Jan.rtf"_s, u"/c/Jan.rtf"_s}, {u"Jan.rtf"_s, u"Jan.rtf"_s}},
    };
    for (const auto &testCase : cases)
        EXPECT_EQ(destinationFileNames(testCase.tests), testCase.names) << testCase.tests.join(u' ').toStdString();
}

TEST(FileNames, TheSystemsBytesSurviveTheTripThroughAString)
{
    const QByteArray names[] = {"plain.rtf", "Zo\xc3\xab.rtf", "bad\xff.rtf", "\xc3(\xe2\x82.rtf", "two\nlines.rtf"};
    for (const QByteArray &name : names)
        EXPECT_EQ(platform::encodeName(platform::decodeName(name)), name) << name.toHex().toStdString();
    EXPECT_EQ(platform::decodeName("Zo\xc3\xab.rtf"), QStringLiteral("Zo\u00EB.rtf"));
}
