// Where destination folders go when nobody names a place: the program's own folder when it may
// write there, otherwise Tallimark in the user's documents (an installed program in /usr/bin).
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

struct ProgramFolderCase
{
    const char *name;
    QFile::Permissions programFolderPermissions;
    const char *expectedDestination; // under the temporary root
};

class ProgramFolder : public ::testing::TestWithParam<ProgramFolderCase> {};

const QFile::Permissions everyone = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                    | QFile::ReadOther | QFile::ExeOther;

} // namespace

TEST_P(ProgramFolder, DestinationFollowsTheRule)
{
    // As root every folder is writable, so the program runs as nobody then.
    const bool asNobody = geteuid() == 0;
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    for (const char *folder : {"bin", "home", "Class9C"})
        QDir(root.path()).mkpath(QLatin1String(folder));
    const QString program = root.filePath(QStringLiteral("bin/tallimark-cli"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TALLIMARK_BINARY_DIR "/cli/tallimark-cli"), program));
    const QString test = root.filePath(QStringLiteral("Class9C/Anna.rtf"));
    for (const char *name : {"Bron.rtf", "Source.rtf", "Class9C/Anna.rtf"}) {
        QFile file(root.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(file.fileName() == test ? "Too short." : "We like to read books at home, and this sentence ends the memo.");
        file.setPermissions(everyone);
    }
    for (const char *folder : {"", "/Class9C", "/home"})
        QFile::setPermissions(root.path() + QLatin1String(folder), everyone | QFile::WriteOther | QFile::WriteOwner);
    QFile::setPermissions(root.filePath(QStringLiteral("bin")), GetParam().programFolderPermissions);

    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("home/.config")));
    cli.setProcessEnvironment(environment);
    cli.setWorkingDirectory(root.path());
    if (asNobody)
        cli.setChildProcessModifier([] {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(99);
        });
    cli.start(program, {QStringLiteral("mark"), QStringLiteral("--memos"), root.path(), test});
    ASSERT_TRUE(cli.waitForFinished(30000));
    QFile::setPermissions(root.filePath(QStringLiteral("bin")), everyone | QFile::WriteOwner);

    ASSERT_NE(cli.exitCode(), 99) << "could not become nobody";
    const QString expected = root.path() + QLatin1String(GetParam().expectedDestination);
    EXPECT_TRUE(QFile::exists(expected + QStringLiteral("/Resultaat.res")))
        << qPrintable(QString::fromUtf8(cli.readAllStandardError()));
}

INSTANTIATE_TEST_SUITE_P(Rule, ProgramFolder,
    ::testing::Values(ProgramFolderCase{"WritableProgramFolder", everyone | QFile::WriteOwner | QFile::WriteOther,
                                        "/bin/Class9C"},
                      ProgramFolderCase{"ReadOnlyProgramFolder", everyone, "/home/Documents/Tallimark/Class9C"}),
    [](const auto &row) { return std::string(row.param.name); });
