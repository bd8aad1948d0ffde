// Replays every input of the fuzz corpora through their fuzz targets' checks, so that a fault
// once found and fixed stays fixed without libFuzzer.
#include "recordcheck.h"
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
const QString recordCorpusFolder = QStringLiteral(TALLIMARK_SOURCE_DIR "/tests/fuzz/record_corpus");

std::vector<std::string> filesOf(const QString &folder)
{
    std::vector<std::string> names;
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name))
        names.push_back(name.toStdString());
    return names;
}

QByteArray contentOf(const QString &folder, const std::string &name)
{
    QFile file(folder + u'/' + QString::fromStdString(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

using FuzzCorpus = testing::TestWithParam<std::string>;
using RecordFuzzCorpus = testing::TestWithParam<std::string>;

TEST_P(FuzzCorpus, RoundTripsThroughTheWriter)
{
    const QString failure = roundTripFailure(contentOf(corpusFolder, GetParam()));
    EXPECT_TRUE(failure.isEmpty()) << GetParam() << ": " << failure.toStdString();
}

TEST_P(RecordFuzzCorpus, ReadsToFiguresAndWritesBackAsRead)
{
    const QString failure = classRecordFailure(contentOf(recordCorpusFolder, GetParam()));
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

INSTANTIATE_TEST_SUITE_P(Corpus, FuzzCorpus, testing::ValuesIn(filesOf(corpusFolder)), caseName);
INSTANTIATE_TEST_SUITE_P(Corpus, RecordFuzzCorpus, testing::ValuesIn(filesOf(recordCorpusFolder)), caseName);

} // namespace
} // namespace tallimark
