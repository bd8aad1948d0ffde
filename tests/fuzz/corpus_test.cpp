// Replays every input of the fuzz corpora through their fuzz targets' checks, so that a fault
// once found and fixed stays fixed without libFuzzer.
#include "recordcheck.h"
#include "roundtrip.h"
#include "support/qstringprinting.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace tallimark {
namespace {

const QString fuzzFolder = QStringLiteral(TALLIMARK_SOURCE_DIR "/tests/fuzz/");

// The inputs of a corpus, as "folder/name".
std::vector<std::string> inputsOf(const std::string &corpus)
{
    std::vector<std::string> inputs;
    for (const QString &name : QDir(fuzzFolder + QString::fromStdString(corpus)).entryList(QDir::Files, QDir::Name))
        inputs.push_back(corpus + '/' + name.toStdString());
    return inputs;
}

QByteArray contentOf(const std::string &input)
{
    QFile file(fuzzFolder + QString::fromStdString(input));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << input;
    return file.readAll();
}

using FuzzCorpus = testing::TestWithParam<std::string>;
using RecordFuzzCorpus = testing::TestWithParam<std::string>;

TEST_P(FuzzCorpus, RoundTripsThroughTheWriter)
{
    EXPECT_EQ(roundTripFailure(contentOf(GetParam())), QString());
}

TEST_P(RecordFuzzCorpus, ReadsToFiguresAndWritesBackAsRead)
{
    EXPECT_EQ(classRecordFailure(contentOf(GetParam())), QString());
}

// The file's name, as gtest allows it in a test's name.
std::string caseName(const testing::TestParamInfo<std::string> &input)
{
    std::string name = input.param.substr(input.param.find('/') + 1);
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, FuzzCorpus, testing::ValuesIn(inputsOf("corpus")), caseName);
INSTANTIATE_TEST_SUITE_P(Corpus, RecordFuzzCorpus, testing::ValuesIn(inputsOf("record_corpus")), caseName);

} // namespace
} // namespace tallimark
