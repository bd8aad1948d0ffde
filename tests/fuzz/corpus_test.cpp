// Replays every input of the fuzz corpus through the fuzz target's round-trip check, so that a
// difference once found and fixed stays fixed without libFuzzer.
#include "roundtrip.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace tallimark {
namespace {

const QString corpusFolder = QStringLiteral(TALLIMARK_SOURCE_DIR "/tests/fuzz/corpus");

std::vector<std::string> corpusFiles()
{
    std::vector<std::string> names;
    for (const QString &name : QDir(corpusFolder).entryList(QDir::Files, QDir::Name))
        names.push_back(name.toStdString());
    return names;
}

using FuzzCorpus = testing::TestWithParam<std::string>;

TEST_P(FuzzCorpus, RoundTripsThroughTheWriter)
{
    QFile file(corpusFolder + u'/' + QString::fromStdString(GetParam()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << GetParam();
    const QString failure = roundTripFailure(file.readAll());
    EXPECT_TRUE(failure.isEmpty()) << GetParam() << ": " << failure.toStdString();
}

// The file's name, as gtest allows it in a test's name.
std::string caseName(const testing::TestParamInfo<std::string> &file)
{
    std::string name = file.param;
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, FuzzCorpus, testing::ValuesIn(corpusFiles()), caseName);

} // namespace
} // namespace tallimark
