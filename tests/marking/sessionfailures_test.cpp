// What a session does when files fail it: memos that cannot be used, names that collide, writes
// that find no room, and the messages that end a session.
#include "sessionfixture.h"

#include "documents/platformfile.h"
#include "support/childprocess.h"

#include <QFileInfo>
#include <QLockFile>

using namespace tallimark;
using namespace tallimark::testing;
using namespace Qt::StringLiterals;

namespace {

const QString TypedTest = u"We like like to read books at home. and this sentence ends the memo text here."_s;
const QString AfrikaansTest = u"Ons het 'n hond en 'n kat wat saam in die tuin speel as die son skyn."_s;
const QString NotMarkedHeading = u"\r\nNot marked in this session:\r\n"_s;

// Each test starts from both memos in place, as after start-up.
using SessionFailures = SessionFixture;

} // namespace

// Memos: a memo that cannot be used gives no test of its language a result, and says why.
TEST_F(SessionFailures, AnUnusableMemoGivesNoTestOfItsLanguageAResult)
{
    const struct
    {
        QByteArray bron; // null: missing
        QString reason;
    } cases[] = {
        {QByteArray(), u"No such file or directory"_s},
        {"", u"it is empty"_s},
        {"%PDF-1.7 \x01\x02\x03", u"a PDF document saved under an .rtf name"_s},
        {QByteArray(49, 'm'), u"it has 49 characters; a memo needs at least 50"_s},
    };
    const QString anika = addTest(u"Anika.rtf"_s, AfrikaansTest);
    const QString jan = addTest(u"Jan.rtf"_s, TypedTest);
    const QString bron = path(u"memos/Bron.rtf"_s);
    for (const auto &testCase : cases) {
        QFile::remove(bron);
        if (!testCase.bron.isNull())
            write(bron, QString::fromLatin1(testCase.bron));
        const QString dest = u"Round"_s + QString::number(&testCase - cases);
        session.setDestinationOverride(dest);
        session.run();
        EXPECT_EQ(session.ending(), MarkingSession::Ending::Completed);
        EXPECT_TRUE(host.report.contains(anika + u".......not marked: The memo "_s + bron + u" cannot be used: "_s
                                         + testCase.reason + u"\r\n"_s))
            << host.report.toStdString();
        EXPECT_TRUE(host.report.contains(jan + u".......Successful"_s));
        EXPECT_EQ(results(dest), destination(dest) + u"/Jan   0 wpm\r\n"_s);
        EXPECT_EQ(session.testsNotMarked(), QStringList{anika});
    }
}

// Names: same-named tests from different folders keep their own copies and lines; a link in
// the destination is replaced, not written through; a CR or LF in a name stays in one line.
TEST_F(SessionFailures, EveryTestKeepsItsOwnNameAndLine)
{
    QDir(path(QString())).mkpath(u"Anika"_s);
    QDir(path(QString())).mkpath(u"Ben"_s);
    addTest(u"Toets.rtf"_s, TypedTest, u"Anika"_s);
    const QString ben = addTest(u"Toets.rtf"_s, TypedTest, u"Ben"_s);
    const QString crlf = addTest(u"two\r\nlines.rtf"_s, TypedTest);
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

// Messages: a second session on the same destination waits, then says the folder is in use;
// a failure that ends a session names the file and the reason, keeps the failing test's path
// in the label and lists the tests that were not marked.
TEST_F(SessionFailures, MessagesThatEndASessionSayWhichFileAndWhatWasNotMarked)
{
    const QString jan = addTest(u"Jan.rtf"_s, TypedTest);
    const QString piet = addTest(u"Piet.rtf"_s, TypedTest);
    QDir().mkpath(destination() + u"/Resultaat.res"_s);
    host.inputAnswers = {u"Class7B"_s, u"Class7B"_s};
    session.run();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(
        host.messages[0],
        u"Error: Tallimark does not have access to certain documents. Maybe Eng/Afr source document is empty, or speed "
        "test is not a valid file.\r"_s
            + destination() + u"/Resultaat.res (Is a directory)"_s);
    EXPECT_EQ(host.label, destination() + u"/Jan.rtf"_s);
    EXPECT_TRUE(host.report.endsWith(NotMarkedHeading + jan + u"\r\n"_s + piet + u"\r\n"_s))
        << host.report.toStdString();
    EXPECT_EQ(session.testsNotMarked(), (QStringList{jan, piet}));

    QDir().rmdir(destination() + u"/Resultaat.res"_s);
    QLockFile otherSession(destination() + u"/.tallimark.lock"_s);
    ASSERT_TRUE(otherSession.tryLock(0));
    host.messages.clear();
    session.run();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages[0].startsWith(u"Error: The destination folder "_s + destination()
                                            + u" is in use by another marking session."_s));
    EXPECT_EQ(session.ending(), MarkingSession::Ending::Failed);
    EXPECT_TRUE(results().isEmpty());

    // Once the folder is free, a new session starts unblocked and writes its lines.
    otherSession.unlock();
    host.inputAnswers = {u"Class7B"_s};
    session.run();
    EXPECT_FALSE(session.resultsBlocked());
    EXPECT_EQ(results().count(u" wpm\r\n"_s), 2);
}

// Write failures: a full disk (a file-size limit in a child process) ends the session like a
// write-protected disk, names the file, keeps the earlier marked copy, and says no "Done".
TEST_F(SessionFailures, AFullDiskEndsTheSessionAndKeepsTheEarlierCopy)
{
    const QString jan = addTest(u"Jan.rtf"_s, TypedTest);
    QDir().mkpath(destination());
    write(destination() + u"/Jan.rug"_s, u"{\\rtf1 the earlier marked copy}"_s);
    host.inputAnswers = {u"Class7B"_s};
    const int failedCheck = inChildProcess(
        [&] {
            platform::limitFileSize(300);
            session.run();
            if (session.ending() != MarkingSession::Ending::Failed || host.messages.size() != 1)
                return 1;
            if (!host.messages[0].startsWith(u"Error: The disk is full."_s))
                return 2;
            if (!host.messages[0].contains(destination() + u"/Jan.rug (File too large)"_s))
                return 3;
            return session.resultsBlocked() && session.testsNotMarked() == QStringList{jan} ? 0 : 4;
        },
        false);
    EXPECT_EQ(failedCheck, 0);
    EXPECT_EQ(read(destination() + u"/Jan.rug"_s), u"{\\rtf1 the earlier marked copy}"_s);
    EXPECT_TRUE(results().isEmpty());
}
