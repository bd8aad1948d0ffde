// Runs the real tallimark-cli program, the way a teacher's IT person would.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliRun runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TALLIMARK_BINARY_DIR "/cli/tallimark-cli"), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QString writeFile(const QTemporaryDir &dir, const char *name, const QByteArray &content)
{
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return path;
}

} // namespace

TEST(TextCommand, printsThePlainTextAsUtf8WithCrLfKept)
{
    QTemporaryDir dir;
    const QString rtf = writeFile(dir, "test.rtf",
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 Die skool se h\\'ea k\\'eb.\\par\r\n"
        "Tweede\\tab lyn\\par\r\n}");
    const QString plain = writeFile(dir, "plain.txt", "one\r\ntwo");

    const CliRun run = runCli({QStringLiteral("text"), rtf, plain});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QByteArray("Die skool se h\xc3\xaa k\xc3\xab.\r\nTweede\tlynone\r\ntwo"));
    EXPECT_TRUE(run.err.isEmpty());
}

TEST(TextCommand, anUnreadableFileGivesOneLineOnStderrAndExitCodeOneButTheOthersStillPrint)
{
    QTemporaryDir dir;
    const QString good = writeFile(dir, "good.txt", "still printed");
    const QString missing = dir.filePath(QStringLiteral("missing.rtf"));

    const CliRun run = runCli({QStringLiteral("text"), missing, good});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QByteArray("still printed"));
    EXPECT_EQ(run.err.count('\n'), 1);
    EXPECT_TRUE(run.err.contains("missing.rtf"));
}

TEST(TextCommand, usageFollowsTheUsualConventions)
{
    EXPECT_EQ(runCli({}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("text")}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("frobnicate")}).exitCode, 2);

    const CliRun help = runCli({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("mark [options] TEST..."));

    const CliRun version = runCli({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("tallimark-cli " TALLIMARK_VERSION));
}
