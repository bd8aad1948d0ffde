// What a session does when files fail it: memos that cannot be used, names that collide, writes
// that find no room, and the messages that end a session.
#include "sessionfixture.h"

#include "documents/memoloader.h"
#include "documents/platformfile.h"
#include "marking/markingoutput.h"
#include "marking/sessionmessages.h"
#include "records/classrecord.h"
#include "support/childprocess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <optional>

using namespace tallimark;
using namespace tallimark::testing;
using namespace Qt::StringLiterals;

namespace {

const QString AfrikaansTest = u"Ons het 'n hond en 'n kat wat saam in die tuin speel as die son skyn."_s;
const QString NotMarkedHeading = u"\r\nNot marked in this session:\r\n"_s;

using SessionFailures = SessionFixture;

} // namespace

// Memos: a memo that cannot be used, for whatever reason, gives no test of its language a
// result and names itself once with the reason; the tests of the other memo are marked as usual.
// As an unprivileged user, to whom a memo can be unreadable.
TEST_F(SessionFailures, AnUnusableMemoStopsOnlyTheTestsOfItsLanguage)
{
    TALLIMARK_POSIX_ONLY("memos unreadable to another user, in a child process");
    const QByteArray missing, unreadable = "<unreadable>";
    // clang-format off
    const struct { int memo; /* 0 Bron.rtf, 1 Source.rtf */ QByteArray content; QString reason; } cases[] = {
        {0, missing, u"No such file or directory"_s}, {1, "", u"it is empty"_s},
        {1, "%PDF-1.7 \x01\x02\x03", u"a PDF document saved under an .rtf name"_s},
        {1, QByteArray(49, 'm'), u"it has 49 characters; a memo needs at least 50"_s},
        {1, QByteArray(8001, 'm'), u"it has 8001 characters; a memo may have at most 8000"_s},
        {0, unreadable, u"Permission denied"_s}};
    // clang-format on
    const QString tests[] = {addTest(u"Anika.rtf"_s, AfrikaansTest), addTest(u"Jan.rtf"_s, DoubledTest)};
    for (const auto &testCase : cases) {
        const int round = int(&testCase - cases);
        SCOPED_TRACE(round);
        setMemos(Memo, Memo);
        const QString memo = workspace.memoFiles[size_t(testCase.memo)];
        QFile::remove(memo);
        if (!testCase.content.isNull())
            write(memo, QString::fromLatin1(testCase.content));
        // As start-up leaves it: the memo box holds the English memo, or nothing.
        (void)loadBothMemos(workspace, path(u"memos"_s));
        session.setMemoFiles(workspace.memoFiles);
        openToEveryone();
        if (testCase.content == unreadable)
            QFile::setPermissions(memo, QFileDevice::Permissions());
        const QString dest = u"Round"_s + QString::number(round);
        session.setDestinationOverride(dest);
        const QString broken = tests[testCase.memo], good = tests[1 - testCase.memo];
        const QString why = u"The memo "_s + memo + u" cannot be used: "_s + testCase.reason;
        const int failedChecks = inChildProcess([&] {
            session.run();
            return int(session.ending() != MarkingSession::Ending::Completed)
                | int(session.testsNotMarked() != QStringList{broken}) << 1
                | int(host.messages.value(0) != u"Error: "_s + why + u". No test in its language gets a result."_s) << 2
                | int(!host.report.contains(broken + u".......not marked: "_s + why + u"\r\n"_s)) << 3
                | int(!host.report.contains(good + u".......Successful"_s)) << 4;
        });
        EXPECT_EQ(failedChecks, 0) << "bits: ending, tests not marked, message, report of each test";
        EXPECT_EQ(results(dest).count(u" wpm\r\n"_s), 1);
        const QList<LearnerResult> learners = currentResults(readClassRecord(destination(dest)).rows);
        ASSERT_EQ(learners.size(), 2); // Anika, Jan: in the order of the tests
        const ClassRecordRow &unmarked = learners[testCase.memo].current;
        EXPECT_EQ(std::tuple(unmarked.verdict, unmarked.remarks, unmarked.isMarked()),
                  std::tuple(std::optional(Verdict::NotMarked), why, false));
    }

    // With neither memo usable the session does not start, and says what is wrong with each.
    QFile::remove(workspace.memoFiles[0]);
    write(workspace.memoFiles[1], QString());
    host.messages.clear();
    session.run();
    EXPECT_EQ(session.ending(), MarkingSession::Ending::Precondition);
    EXPECT_EQ(host.messages,
              QStringList{u"Error: Source Document missing, or too small...\rThe memo "_s + workspace.memoFiles[0]
                          + u" cannot be used: No such file or directory\rThe memo "_s + workspace.memoFiles[1]
                          + u" cannot be used: it is empty"_s});
}

// Names: same-named tests from different folders keep their own copies and lines; a link in
// the destination is replaced, not written through; a CR or LF in a name stays in one line.
TEST_F(SessionFailures, EveryTestKeepsItsOwnNameAndLine)
{
    TALLIMARK_POSIX_ONLY("a link in a copy's place and a name with a line break, which Windows names cannot hold");
    addTest(u"Toets.rtf"_s, DoubledTest, u"Anika"_s);
    const QString ben = addTest(u"Toets.rtf"_s, DoubledTest, u"Ben"_s);
    const QString crlf = addTest(u"two\r\nlines.rtf"_s, DoubledTest);
    session.setDestinationOverride(u"Class"_s);
    QDir().mkpath(destination(u"Class"_s));
    host.inputAnswers = {u"Class"_s};
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(u"not ours.rug"_s);
    write(target, u"not ours"_s);
    ASSERT_TRUE(QFile::link(target, destination(u"Class"_s) + u"/Toets.rug"_s));
    session.run();

    const QString dest = destination(u"Class"_s);
    EXPECT_EQ(read(target), u"not ours"_s);
    EXPECT_FALSE(QFileInfo(dest + u"/Toets.rug"_s).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(dest + u"/Ben - Toets.rug"_s));
    EXPECT_TRUE(
        host.report.contains(ben + u" is marked as \"Ben - Toets.rtf\": another test of this session has its name"_s));
    EXPECT_EQ(results(u"Class"_s),
              dest + u"/Toets   0 wpm\r\n"_s + dest + u"/Ben - Toets   0 wpm\r\n"_s + dest
                  + u"/two??lines   0 wpm\r\n"_s);
    EXPECT_TRUE(host.report.contains(crlf + u".......Successful"_s));
}

// Names across sessions: another learner's test of a name the destination holds gets a name of its
// own, so the earlier learner's copies and record rows stay theirs; the same test marked again
// replaces its own. Where the record does not know a name, the copy there tells whose it is.
TEST_F(SessionFailures, ALaterSessionKeepsAnotherLearnersTestOfTheSameName)
{
    const QString a = addTest(u"Jan.rtf"_s, DoubledTest, u"A"_s);
    const QString b = addTest(u"Jan.rtf"_s, Memo, u"B"_s);
    const QString c = addTest(u"Jan.rtf"_s, Memo + u" And more."_s, u"C"_s);
    const QString dest = destination(u"Class"_s);
    session.setDestinationOverride(u"Class"_s);
    host.testList = {a};
    session.run();
    host.testList = {b, a};
    host.inputAnswers = {u"Class"_s};
    session.run();

    EXPECT_TRUE(host.report.contains(
        b + u" is marked as \"B - Jan.rtf\": the destination holds another learner's test of that name\r\n"_s))
        << qPrintable(host.report);
    EXPECT_EQ(read(dest + u"/Jan.rtf"_s), DoubledTest);
    EXPECT_EQ(read(dest + u"/B - Jan.rtf"_s), Memo);
    const auto markedText = [&](const QString &learner) {
        RichDocument marked;
        return marked.loadFile(dest + u'/' + learner + u".rug"_s).failed() ? QString() : marked.text();
    };
    EXPECT_TRUE(markedText(u"Jan"_s).startsWith(DoubledTest));
    EXPECT_TRUE(markedText(u"B - Jan"_s).startsWith(Memo));
    EXPECT_EQ(results(u"Class"_s),
              dest + u"/Jan   0 wpm\r\n"_s + dest + u"/B - Jan   0 wpm\r\n"_s + dest + u"/Jan   0 wpm\r\n"_s);
    QStringList learners;
    for (const LearnerResult &learner : currentResults(readClassRecord(dest).rows))
        learners << learner.current.learner + u' ' + learner.current.sourcePath;
    EXPECT_EQ(learners, (QStringList{u"B - Jan "_s + b, u"Jan "_s + a}));

    QFile::remove(classRecordPath(dest));
    host.testList = {c, b};
    host.inputAnswers = {u"Class"_s};
    session.run();
    EXPECT_EQ(read(dest + u"/C - Jan.rtf"_s), Memo + u" And more."_s);
    EXPECT_EQ(read(dest + u"/Jan.rtf"_s), DoubledTest);
    EXPECT_EQ(QDir(dest).entryList({u"*.rtf"_s}).size(), 3);
}

// The reason a session ends for is the one the system gave: an input/output error is not a full
// disk, and a failure the session skips has no message.
TEST(SessionEndingMessage, SaysWhatTheSystemReported)
{
    const std::pair<int, std::optional<QString>> cases[] = {
        {ENOSPC, u"The disk is full. Please make room, or save speed tests on another disk.\r"_s},
        {EIO,
         u"The disk failed to read or write a file. Please check the disk, or save speed tests on another disk.\r"_s},
        {EMFILE, std::nullopt},
    };
    for (const auto &[error, message] : cases) {
        // The file as the system shows it, and the system's own words ("No space left on device").
        const QString where =
            QDir::toNativeSeparators(u"/d/Jan.rug"_s) + u" ("_s + QString::fromLocal8Bit(std::strerror(error)) + u')';
        EXPECT_EQ(sessionEndingMessage(Failure::fromErrno(error, u"/d/Jan.rug"_s), u"/d/Jan.rtf"_s),
                  message ? std::optional<QString>(*message + where) : std::nullopt)
            << error;
    }
}

// Locks: one a killed session left (empty, garbled, a link to nothing, its process gone, or from
// another host and not renewed for long) does not shut the folder, and whoever takes it over removes
// the killed session's temporary files; one a running session holds shuts it, naming file and owner.
TEST_F(SessionFailures, AStaleLockIsTakenOverAndALiveOneNamed)
{
    TALLIMARK_POSIX_ONLY("dangling links, and process ids that Wine hands out again at once");
    const QString thisHost = QSysInfo::machineHostName();
    // The id of a process that has ended: this program, run once more to list its tests.
    QProcess ended;
    ended.start(QString::fromStdString(::testing::internal::GetArgvs().front()), {u"--gtest_list_tests"_s});
    ASSERT_TRUE(ended.waitForStarted(60000));
    const qint64 gone = ended.processId();
    ASSERT_TRUE(ended.waitForFinished(60000));
    const QByteArray goneLock = QByteArray::number(gone) + "\ntallimark-cli\n" + thisHost.toUtf8() + "\n\n";
    const QByteArray foreignLock = "4242\ntallimark-cli\nlab-7\n\n";
    const QString live = u"<held by this test>"_s, link = u"<link to nothing>"_s;
    // clang-format off
    const struct { QByteArray lock; QString kind = {}; int ageMinutes = 0; QString owner = {}; /* empty: taken over */ } cases[] = {
        {""}, {{}, link}, {goneLock}, {foreignLock, {}, 60},
        {foreignLock, {}, 1, u"process 4242 (tallimark-cli) on host lab-7"_s},
        {{}, live, 0, u"process %1 (%3) on host %2"_s.arg(QCoreApplication::applicationPid()).arg(thisHost)},
    };
    // clang-format on
    addTest(u"Jan.rtf"_s, DoubledTest);
    for (const auto &testCase : cases) {
        const QString name = u"Locked"_s + QString::number(&testCase - cases);
        SCOPED_TRACE(qPrintable(name));
        const QString dest = destination(name), lockFile = dest + u"/.tallimark.lock"_s;
        QDir().mkpath(dest);
        const QString leftBehind = dest + u"/.tallimark-%1-3.tmp"_s.arg(gone);
        const QString ours = dest + u"/.tallimark-%1-3.tmp"_s.arg(QCoreApplication::applicationPid());
        write(leftBehind, u"half a copy"_s);
        write(ours, u"being written"_s);
        QLockFile otherSession(lockFile);
        QString owner = testCase.owner;
        if (testCase.kind == live) {
            ASSERT_TRUE(otherSession.tryLock(0));
            qint64 pid = 0;
            QString lockHost, application;
            ASSERT_TRUE(otherSession.getLockInfo(&pid, &lockHost, &application));
            owner = owner.arg(application);
        } else if (testCase.kind == link) {
            ASSERT_TRUE(QFile::link(dest + u"/nowhere"_s, lockFile));
        } else {
            write(lockFile, QString::fromLatin1(testCase.lock));
            QFile file(lockFile); // aged without a write, which would renew it
            ASSERT_TRUE(file.open(QIODevice::Append));
            file.setFileTime(QDateTime::currentDateTime().addSecs(-60 * testCase.ageMinutes),
                             QFileDevice::FileModificationTime);
        }
        host.messages.clear();
        host.inputAnswers = {name};
        session.setDestinationOverride(name);
        QElapsedTimer took;
        took.start();
        session.run();

        EXPECT_LT(took.elapsed(), 5000);
        EXPECT_TRUE(QFileInfo::exists(ours));
        if (owner.isEmpty()) {
            EXPECT_EQ(session.ending(), MarkingSession::Ending::Completed) << qPrintable(host.messages.join(u'\n'));
            EXPECT_EQ(results(name).count(u" wpm\r\n"_s), 1);
            EXPECT_FALSE(QFileInfo::exists(leftBehind));
            EXPECT_FALSE(QFileInfo(lockFile).isSymLink() || QFileInfo::exists(lockFile));
            continue;
        }
        EXPECT_EQ(session.ending(), MarkingSession::Ending::Failed);
        EXPECT_EQ(host.messages,
                  QStringList{u"Error: The destination folder "_s + dest
                              + u" is in use by another marking session. Please try again when it "
                                "has finished.\rThe lock file "_s
                              + lockFile + u" is held by "_s + owner + u'.'});
        EXPECT_TRUE(QFileInfo::exists(leftBehind));
        EXPECT_TRUE(results(name).isEmpty());
    }
}

// Write failures: a test's results line and its class record row are written both or neither,
// whichever of the two files cannot be written (a rejected test's go the same way). The
// message names the file, the label keeps the failing test's path and the report lists the tests
// not marked; once the file can be written, the next session starts unblocked.
TEST_F(SessionFailures, AResultsLineAndItsRecordRowAreOneUnit)
{
    // Windows refuses to open a folder for writing as it refuses a file it may not write.
#ifdef Q_OS_WIN
    const QString writeOverFolderMessage = u"Error: Permission denied. Try another location.\r"_s;
#else
    const QString writeOverFolderMessage =
        u"Error: Tallimark does not have access to certain documents. Maybe Eng/Afr source document is "
        "empty, or speed test is not a valid file.\r"_s;
#endif
    const QString jan = addTest(u"Jan.rtf"_s, DoubledTest);
    const QString piet = addTest(u"Piet.rtf"_s, DoubledTest);
    int round = 0;
    // Each file in turn made a folder, so that it cannot be written.
    for (const QString &blocked : {ClassRecordFileName, ResultsFileName}) {
        const QString name = u"Unit"_s + QString::number(round++), dest = destination(name);
        SCOPED_TRACE(qPrintable(blocked));
        QDir().mkpath(dest + u'/' + blocked);
        host.inputAnswers = {name};
        host.messages.clear();
        session.setDestinationOverride(name);
        session.run();
        EXPECT_EQ(session.ending(), MarkingSession::Ending::Failed);
        EXPECT_TRUE(host.messages.value(0).startsWith(writeOverFolderMessage + dest + u'/' + blocked))
            << qPrintable(host.messages.value(0));
        EXPECT_EQ(QDir::fromNativeSeparators(host.label), dest + u"/Jan.rtf"_s);
        EXPECT_TRUE(host.report.endsWith(NotMarkedHeading + jan + u"\r\n"_s + piet + u"\r\n"_s));
        EXPECT_EQ(session.testsNotMarked(), (QStringList{jan, piet}));
        EXPECT_FALSE(results(name).contains(u"wpm"_s));
        EXPECT_TRUE(readClassRecord(dest).rows.isEmpty());
        QDir().rmdir(dest + u'/' + blocked);
        host.inputAnswers = {name};
        session.run();
        EXPECT_FALSE(session.resultsBlocked());
        EXPECT_EQ(results(name).count(u" wpm\r\n"_s), 2);
    }
}

// Faults met in a child process: as an unprivileged user (root reads and writes anyway), or with
// a file-size limit that finds the disk full after 300 bytes. A read-only destination or a full
// disk ends the session and names the file; a test that cannot be read gets its report line and a
// record row with the reason, and the session goes on. The earlier marked copy stays either way.
TEST_F(SessionFailures, FaultsOfTheDiskOrOfPermissions)
{
    TALLIMARK_POSIX_ONLY("permissions and a full disk made in a child process");
    using Ending = MarkingSession::Ending;
    const QString jan = addTest(u"Jan.rtf"_s, DoubledTest);
    const QString earlier = u"{\\rtf1 the earlier marked copy}"_s;
    const QString notMarked = NotMarkedHeading + jan + u"\r\n"_s;
    // clang-format off
    const struct { const char *name; bool readOnlyDestination, unreadableTest; qint64 sizeLimit; Ending ending;
                   QString message, reportEnd; /* the message names the destination folder, then what follows */
                   QStringList record; /* learner: remarks */ } cases[] = {
        {"ReadOnlyDestination", true, false, 0, Ending::Failed, u"Error: Permission denied. Try another location.\r{dest}/Jan.rtf (Permission denied)"_s,
         notMarked, {}},
        {"UnreadableTest", false, true, 0, Ending::Completed, u"Done: End of this marking session.\rResults have been saved in {dest}\r"_s,
         jan + u".......could not be read: permission denied\r\n"_s, {u"Jan: Could not be read: permission denied"_s}},
        {"FullDisk", false, false, 300, Ending::Failed,
         u"Error: The disk is full. Please make room, or save speed tests on another disk.\r{dest}/Jan.rug (File too large)"_s,
         notMarked, {}},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name), dest = destination(name);
        QDir().mkpath(dest);
        write(dest + u"/Jan.rug"_s, earlier);
        host.inputAnswers = {name};
        session.setDestinationOverride(name);
        openToEveryone();
        const auto readOnly =
            QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
        if (c.readOnlyDestination)
            QFile::setPermissions(dest, readOnly);
        if (c.unreadableTest)
            QFile::setPermissions(jan, QFileDevice::Permissions());
        const int failedChecks = inChildProcess(
            [&] {
                if (c.sizeLimit > 0)
                    platform::limitFileSize(c.sizeLimit);
                session.run();
                return int(session.ending() != c.ending)
                    | int(host.messages != QStringList{QString(c.message).replace(u"{dest}"_s, dest)}) << 1
                    | int(!host.report.endsWith(c.reportEnd)) << 2
                    | int(session.testsNotMarked() != QStringList{jan}) << 3
                    | int(session.resultsBlocked() != (c.ending == Ending::Failed)) << 4;
            },
            c.sizeLimit == 0);
        QFile::setPermissions(dest, OwnerOnly);
        QFile::setPermissions(jan, OwnerOnly);
        EXPECT_EQ(failedChecks, 0) << "bits: ending, message, report, tests not marked, results blocked";
        EXPECT_EQ(read(dest + u"/Jan.rug"_s), earlier);
        EXPECT_TRUE(results(name).isEmpty());
        QStringList record;
        for (const ClassRecordRow &row : readClassRecord(dest).rows)
            record << row.learner + u": "_s + row.remarks;
        EXPECT_EQ(record, c.record);
    }
}
