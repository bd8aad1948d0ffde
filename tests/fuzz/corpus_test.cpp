// Replays every input of the fuzz corpora through their fuzz targets' checks, so that a fault
// once found and fixed stays fixed without libFuzzer.
#include "recordcheck.h"
#include "roundtrip.h"
#include "support/qstringprinting.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace tallimark {
namespace {

void replay(const char *corpus, QString (*failure)(const QByteArray &))
{
    const QDir folder(QStringLiteral(TALLIMARK_SOURCE_DIR "/tests/fuzz/") + QLatin1String(corpus));
    const QStringList inputs = folder.entryList(QDir::Files, QDir::Name);
    EXPECT_FALSE(inputs.isEmpty()) << qPrintable(folder.path());
    for (const QString &input : inputs) {
        QFile file(folder.filePath(input));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(input);
        EXPECT_EQ(failure(file.readAll()), QString()) << qPrintable(input);
    }
}

TEST(FuzzCorpus, RtfInputsRoundTripThroughTheWriter)
{
    replay("corpus", roundTripFailure);
}

TEST(FuzzCorpus, RecordInputsReadToFiguresAndWriteBackAsRead)
{
    replay("record_corpus", classRecordFailure);
}

} // namespace
} // namespace tallimark
