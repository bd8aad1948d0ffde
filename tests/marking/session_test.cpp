#include "sessionfixture.h"

#include "support/childprocess.h"

#include "marking/markingoutput.h"

#include <QFileInfo>

using namespace tallimark;
using namespace tallimark::testing;

namespace {

const QString Memo = QStringLiteral("We like to read books at home. and this sentence ends the memo text here.");
const QString DoubledTest = QStringLiteral("We like like to read books at home. and this sentence ends the memo text here.");

QString repeated(const QString &piece, int length)
{
    QString text;
    while (text.size() < length)
        text += piece;
    return text.left(length);
}

class Session : public SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        setMemos(Memo, Memo);
    }
    MarkingSession session{workspace, host};
};

} // namespace

TEST_F(Session, AnEmptyTestBoxChangesNothing)
{
    host.testList.clear();
    session.run();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, QStringLiteral("No speed tests in the green box..."));
    EXPECT_EQ(host.messages[0].title, QStringLiteral("Error"));
    EXPECT_FALSE(host.reportShown);
    EXPECT_FALSE(host.closeButtonShown);
    EXPECT_TRUE(QDir(host.folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    EXPECT_EQ(session.ending(), MarkingSession::Ending::Precondition);
}

TEST_F(Session, AMemoOf49CharactersStopsTheSessionAnd50LetItRun)
{
    addTest(QStringLiteral("Jan.rtf"), DoubledTest);
    workspace.memoDocument.setText(QString(49, u'm'));
    session.run();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, QStringLiteral("Source Document missing, or too small..."));
    EXPECT_EQ(host.messages[0].title, QStringLiteral("Error"));
    EXPECT_FALSE(host.reportShown);

    workspace.memoDocument.setText(QString(50, u'm'));
    session.run();
    EXPECT_EQ(session.ending(), MarkingSession::Ending::Completed);
}

TEST_F(Session, MarksATestAndWritesEverythingItLeaves)
{
    host.integerResults = true;
    const QString jan = addTest(QStringLiteral("Jan.rtf"), DoubledTest);
    session.run();

    const QString dest = destination();
    EXPECT_EQ(workspace.destFolder, dest);
    EXPECT_EQ(host.name, QStringLiteral("Class7B"));
    EXPECT_EQ(host.preview, dest);
    EXPECT_TRUE(host.inputs.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(dest + QStringLiteral("/Jan.rtf")));

    // 78 characters, one capital: 79 keystrokes, 16 gross words; one excess word that the
    // doubled-word check also made an error: 1 word with an error; 1.5, as integer 2.
    const QString division = QStringLiteral("\u00F7");
    ASSERT_EQ(host.outcomes.size(), 1);
    const TestOutcome &outcome = host.outcomes[0];
    EXPECT_EQ(outcome.language, MemoLanguage::English);
    EXPECT_EQ(outcome.reportText, QStringLiteral("\r\n|| 79     1m\r\nExcess words: (like )\r\n79 ") + division
                                      + QStringLiteral(" 5 = 16\r\nLess no. of words with errors:  - 1 = 15\r\nWPM = 15 ")
                                      + division + QStringLiteral(" 10 = 1.5         Final: 2 wpm "));
    EXPECT_EQ(host.report, QStringLiteral("               Marking speed tests in Class7B\r\n\r\n") + jan
                               + QStringLiteral(".......Successful\r\n"));
    EXPECT_EQ(results(), dest + QStringLiteral("/Jan   2 wpm\r\n"));
    EXPECT_EQ(host.pendingEventRuns, 1);

    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].title, QStringLiteral("Done"));
    EXPECT_EQ(host.messages[0].text,
              QStringLiteral("End of this marking session.\rResults have been saved in ") + dest + QStringLiteral("\r"));
    EXPECT_TRUE(host.label.isEmpty());
    EXPECT_TRUE(host.closeButtonShown);

    // The marked copy: the second "like" (characters 8 to 11, 0-based) white on red, the report
    // block in red at the end, the listed excess word white on light red.
    RichDocument marked;
    ASSERT_FALSE(marked.loadFile(dest + QStringLiteral("/Jan.rug")).failed());
    EXPECT_TRUE(marked.text().startsWith(DoubledTest));
    EXPECT_TRUE(marked.text().endsWith(QStringLiteral("Final: 2 wpm ")));
    const CharFormat error = marked.formatAt(8);
    EXPECT_EQ(error.background, Red);
    EXPECT_EQ(error.colour, White);
    EXPECT_TRUE(error.bold);
    EXPECT_FALSE(marked.formatAt(12).background.has_value() && *marked.formatAt(12).background == Red);
    const int report = int(DoubledTest.size());
    EXPECT_EQ(marked.formatAt(report + 3).colour, Red);
    EXPECT_TRUE(marked.formatAt(report + 3).bold);
    const int excess = int(marked.text().indexOf(QStringLiteral("Excess words: "))) + 14;
    EXPECT_EQ(marked.formatAt(excess).background, Red);
    EXPECT_EQ(marked.formatAt(excess).colour, White);
    EXPECT_FALSE(marked.formatAt(excess).bold);
}

TEST_F(Session, TestLengthsAtTheBoundaries)
{
    const QString line = Memo + u' ';
    const QString t49 = addTest(QStringLiteral("a49.rtf"), repeated(line, 49));
    addTest(QStringLiteral("a50.rtf"), repeated(line, 50));
    addTest(QStringLiteral("a5000.rtf"), repeated(line, 5000));
    const QString t5001 = addTest(QStringLiteral("a5001.rtf"), repeated(line, 5001));
    session.run();

    ASSERT_EQ(host.outcomes.size(), 4);
    EXPECT_EQ(host.outcomes[0].status, TestOutcome::Status::TooShort);
    EXPECT_EQ(host.outcomes[1].status, TestOutcome::Status::Marked);
    EXPECT_EQ(host.outcomes[2].status, TestOutcome::Status::Marked);
    EXPECT_EQ(host.outcomes[3].status, TestOutcome::Status::TooLong);
    EXPECT_TRUE(host.report.contains(t49 + QStringLiteral(".......too short or empty\r\n")));
    EXPECT_TRUE(host.report.contains(t5001 + QStringLiteral(".......too long or corrupt\r\n")));
    const QStringList lines = results().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], path(QStringLiteral("Class7B/a49.rug  0  wpm")));
    EXPECT_TRUE(lines[1].startsWith(destination() + QStringLiteral("/a50   ")));
    EXPECT_TRUE(lines[2].startsWith(destination() + QStringLiteral("/a5000   ")));
    EXPECT_EQ(lines[3], path(QStringLiteral("Class7B/a5001.rug  0  wpm")));
    EXPECT_EQ(session.ending(), MarkingSession::Ending::Completed);
}

TEST_F(Session, AllCapitalsAreHalvedWithTiesToEven)
{
    addTest(QStringLiteral("caps.rtf"), repeated(QStringLiteral("ABC DEF GHI "), 6000));
    addTest(QStringLiteral("caps51.rtf"), repeated(QStringLiteral("XYZ."), 51));
    addTest(QStringLiteral("caps53.rtf"), repeated(QStringLiteral("XYZ."), 53));
    session.run();
    ASSERT_EQ(host.outcomes.size(), 3);
    EXPECT_EQ(host.outcomes[0].status, TestOutcome::Status::Marked);
    EXPECT_EQ(host.outcomes[0].testText, repeated(QStringLiteral("ABC DEF GHI "), 2999));
    // 25.5 rounds to 26 and 26.5 to 26; both are still marked.
    EXPECT_EQ(host.outcomes[1].testText, repeated(QStringLiteral("XYZ."), 26));
    EXPECT_EQ(host.outcomes[2].testText, repeated(QStringLiteral("XYZ."), 26));
    EXPECT_EQ(host.outcomes[2].status, TestOutcome::Status::Marked);
}

TEST_F(Session, RejectedTestsAreSkippedAndTheNextGoodOneIsMarked)
{
    const QString a = addTest(QStringLiteral("a.rtf"), QStringLiteral("too short"));
    const QString b = addTest(QStringLiteral("b.rtf"), QString());
    const QString c = addTest(QStringLiteral("c.rtf"), DoubledTest);
    const QString d = addTest(QStringLiteral("d.rtf"), QStringLiteral("short"));
    const QString e = addTest(QStringLiteral("e.rtf"), QStringLiteral("short"));
    session.run();
    EXPECT_EQ(host.report, QStringLiteral("               Marking speed tests in Class7B\r\n\r\n") + a
                               + QStringLiteral(".......too short or empty\r\n") + b
                               + QStringLiteral(".......too short or empty\r\n") + c + QStringLiteral(".......Successful\r\n")
                               + d + QStringLiteral(".......too short or empty\r\n") + e
                               + QStringLiteral(".......too short or empty\r\n"));
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].title, QStringLiteral("Done"));
}

TEST_F(Session, AnExistingDestinationIsAskedForAndAnEmptyAnswerEndsTheSession)
{
    QDir().mkpath(destination());
    addTest(QStringLiteral("Jan.rtf"), DoubledTest);
    session.run();
    ASSERT_EQ(host.inputs.size(), 1);
    EXPECT_EQ(host.inputs[0].prompt, QStringLiteral("Type new foldername or click Enter to proceed "));
    EXPECT_EQ(host.inputs[0].title, QStringLiteral("Folder already exists"));
    EXPECT_EQ(host.inputs[0].defaultText, QStringLiteral("Class7B"));
    EXPECT_TRUE(host.reportShown);
    EXPECT_TRUE(host.closeButtonShown);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(session.ending(), MarkingSession::Ending::Cancelled);
    EXPECT_FALSE(QFileInfo::exists(destination() + QStringLiteral("/Jan.rtf")));
}

TEST_F(Session, AnotherAnswerMakesAnotherFolder)
{
    QDir().mkpath(destination());
    addTest(QStringLiteral("Jan.rtf"), DoubledTest);
    host.inputAnswers = {QStringLiteral("Retake")};
    session.run();
    EXPECT_EQ(workspace.destFolder, destination(QStringLiteral("Retake")));
    EXPECT_EQ(host.name, QStringLiteral("Retake"));
    EXPECT_EQ(host.preview, destination(QStringLiteral("Retake")));
    EXPECT_TRUE(host.report.startsWith(QStringLiteral("               Marking speed tests in Retake\r\n")));
    EXPECT_FALSE(results(QStringLiteral("Retake")).isEmpty());
}

TEST_F(Session, TheResultsFileGrowsAcrossSessions)
{
    addTest(QStringLiteral("Zo\u00EB.rtf"), DoubledTest);
    session.run();
    host.testList.clear();
    addTest(QStringLiteral("Piet.rtf"), QStringLiteral("no more than this"));
    host.inputAnswers = {QStringLiteral("Class7B")}; // the same name: the folder is reused
    session.run();
    EXPECT_EQ(results(), destination() + QStringLiteral("/Zo\u00EB   0 wpm\r\n") + path(QStringLiteral("Class7B/Piet.rug  0  wpm\r\n")));
}

TEST_F(Session, TestsAlreadyInTheDestinationAreNotCopiedOntoThemselves)
{
    QDir().mkpath(destination());
    addTest(QStringLiteral("Jan.rtf"), DoubledTest, QStringLiteral("app/Class7B"));
    host.inputAnswers = {QStringLiteral("Class7B")};
    session.run();
    EXPECT_TRUE(host.skipped.isEmpty());
    ASSERT_EQ(host.outcomes.size(), 1);
    EXPECT_EQ(host.outcomes[0].status, TestOutcome::Status::Marked);
}

TEST_F(Session, AMissingTestEndsTheSessionWithTheAccessMessage)
{
    const QString missing = path(QStringLiteral("Class7B/gone.rtf"));
    host.testList = {missing};
    session.run();
    // The copy fails quietly (file not found), the loading then ends the session.
    ASSERT_EQ(host.skipped.size(), 1);
    EXPECT_EQ(host.skipped[0].number, 53);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(host.messages[0].text,
              QStringLiteral("Tallimark does not have access to certain documents. Maybe Eng/Afr source document is empty, or "
                             "speed test is not a valid file."));
    EXPECT_TRUE(session.resultsBlocked());
    EXPECT_TRUE(host.closeButtonShown);
    EXPECT_EQ(session.ending(), MarkingSession::Ending::Failed);
    EXPECT_EQ(session.endingFailure().number, ErrorNumber::PathFileAccess);
    EXPECT_TRUE(results().isEmpty());

    // A new session starts unblocked and writes its marked tests' lines.
    host.testList.clear();
    addTest(QStringLiteral("Jan.rtf"), DoubledTest);
    host.inputAnswers = {QStringLiteral("Class7B")};
    session.run();
    EXPECT_FALSE(session.resultsBlocked());
    EXPECT_EQ(results(), destination() + QStringLiteral("/Jan   0 wpm\r\n"));
}

// Both run in a child process as an unprivileged user: root would read and write anyway.
TEST_F(Session, AReadOnlyDestinationIsPermissionDenied)
{
    QDir().mkpath(destination());
    addTest(QStringLiteral("Jan.rtf"), DoubledTest);
    host.inputAnswers = {QStringLiteral("Class7B")};
    openToEveryone();
    QFile::setPermissions(destination(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                             | QFileDevice::ExeOther);
    const int failedCheck = inChildProcess([&] {
        session.run();
        if (host.messages.isEmpty())
            return 1;
        if (host.messages.last().text != QStringLiteral("Permission denied. Try another location.")
            || host.messages.last().title != QStringLiteral("Error"))
            return 2;
        if (!session.resultsBlocked())
            return 3;
        return session.ending() == MarkingSession::Ending::Failed ? 0 : 4;
    });
    QFile::setPermissions(destination(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(failedCheck, 0);
}

TEST_F(Session, AnUnreadableTestIsPermissionDenied)
{
    const QString jan = addTest(QStringLiteral("Jan.rtf"), DoubledTest);
    openToEveryone();
    QFile::setPermissions(jan, QFileDevice::Permissions());
    const int failedCheck = inChildProcess([&] {
        session.run();
        if (host.messages.isEmpty())
            return 1;
        if (host.messages.last().text != QStringLiteral("Permission denied. Try another location."))
            return 2;
        return session.endingFailure().number == ErrorNumber::PermissionDenied ? 0 : 3;
    });
    QFile::setPermissions(jan, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(failedCheck, 0);
}

TEST_F(Session, MoreThan255DoubledWordsOverflow)
{
    const QString test = repeated(QStringLiteral("ab "), 900);
    addTest(QStringLiteral("Jan.rtf"), test);
    setMemos(QStringLiteral("We ab like to read books at home. and this sentence ends here."), Memo);
    session.run();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, QStringLiteral("Overflow error. ") + destination() + QStringLiteral("/Jan.rtf")
                                         + QStringLiteral(" may be too large. This session will terminate."));
    EXPECT_EQ(host.label, destination() + QStringLiteral("/Jan.rtf"));
    EXPECT_FALSE(session.resultsBlocked());
    EXPECT_TRUE(host.closeButtonShown);
    EXPECT_TRUE(host.outcomes.isEmpty());
}

TEST_F(Session, ATestMarkedAloneOrAmongOthersGivesTheSameResult)
{
    const QString memo = QStringLiteral("Something good is coming. We walk to school, and the end is near. Yes. The cat and "
                                        "the dog play outside all day long. ")
                         + Memo;
    setMemos(memo, memo);
    const QString busy = QStringLiteral("Some thing good is comming. We walk to School, and the end is near. Yes.The cat "
                                        "and teh dog play.Outside all teh day long. We like like to read books at home. "
                                        "and this sentence ends the memo text here.");
    const QString quiet = QStringLiteral("Yes. The cat and the dog play outside  all day long. We like to read books.");
    addTest(QStringLiteral("quiet.rtf"), quiet);
    session.run();
    ASSERT_EQ(host.outcomes.size(), 1);
    const TestOutcome alone = host.outcomes[0];

    ScriptedHost second;
    second.folder = host.folder;
    second.inputAnswers = {QStringLiteral("Again")};
    second.testList = {path(QStringLiteral("Class7B/busy.rtf")), host.testList[0], path(QStringLiteral("Class7B/busy.rtf"))};
    write(second.testList[0], busy);
    MarkingSession another(workspace, second);
    another.run();
    ASSERT_EQ(second.outcomes.size(), 3);
    const TestOutcome &among = second.outcomes[1];
    EXPECT_EQ(among.reportText, alone.reportText);
    EXPECT_EQ(among.finalWpm, alone.finalWpm);
    EXPECT_EQ(among.memoCutLength, alone.memoCutLength);
    ASSERT_EQ(among.errors.size(), alone.errors.size());
    for (qsizetype k = 0; k < among.errors.size(); ++k) {
        EXPECT_EQ(among.errors[k].word, alone.errors[k].word);
        EXPECT_EQ(among.errors[k].start, alone.errors[k].start);
        EXPECT_EQ(among.errors[k].kind, alone.errors[k].kind);
    }
    EXPECT_EQ(among.excessWords, alone.excessWords);
    ASSERT_EQ(among.highlights.size(), alone.highlights.size());
    for (qsizetype k = 0; k < among.highlights.size(); ++k) {
        EXPECT_EQ(among.highlights[k].start0, alone.highlights[k].start0);
        EXPECT_EQ(among.highlights[k].length, alone.highlights[k].length);
    }
    // The busy test really did leave errors and repeats behind it.
    EXPECT_GE(second.outcomes[0].errors.size(), 4);
    EXPECT_GE(second.outcomes[0].repeats.size(), 2);
}

TEST(MarkedCopyName, LosesItsFolderAndLastFourCharacters)
{
    EXPECT_EQ(markedCopyPath(QStringLiteral("/d/Class1"), QStringLiteral("/t/Jan.rtf")), QStringLiteral("/d/Class1/Jan.rug"));
    EXPECT_EQ(markedCopyPath(QStringLiteral("/d"), QStringLiteral("/x/abcdef")), QStringLiteral("/d/ab.rug"));
    EXPECT_EQ(markedCopyPath(QStringLiteral("/d"), QStringLiteral("  ")), QStringLiteral("/d/Unti.rug"));
    EXPECT_EQ(zeroResultLine(QStringLiteral("/t/Piet.rtf")), QStringLiteral("/t/Piet.rug  0  wpm"));
    EXPECT_EQ(resultsLine(QStringLiteral("/d/Class1"), QStringLiteral("/d/Class1/Jan.rtf"), 25),
              QStringLiteral("/d/Class1/Jan   25 wpm"));
}

namespace {

// Clicks the button again from inside the pending events between tests.
class ImpatientHost : public ScriptedHost
{
public:
    MarkingSession *session = nullptr;
    void processPendingEvents() override
    {
        ScriptedHost::processPendingEvents();
        session->run();
    }
};

} // namespace

TEST(SessionReentry, AClickDuringASessionIsIgnored)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("app"));
    QDir(root.path()).mkpath(QStringLiteral("Class"));
    Workspace workspace;
    workspace.memoDocument.setText(Memo);
    workspace.memoFiles = {root.path() + QStringLiteral("/memo.rtf"), root.path() + QStringLiteral("/memo.rtf")};
    QFile memo(workspace.memoFiles[0]);
    ASSERT_TRUE(memo.open(QIODevice::WriteOnly));
    memo.write(Memo.toUtf8());
    memo.close();
    ImpatientHost host;
    host.folder = root.path() + QStringLiteral("/app");
    for (const QString &name : {QStringLiteral("a.rtf"), QStringLiteral("b.rtf")}) {
        QFile test(root.path() + QStringLiteral("/Class/") + name);
        ASSERT_TRUE(test.open(QIODevice::WriteOnly));
        test.write(DoubledTest.toUtf8());
        host.testList.append(test.fileName());
    }
    MarkingSession session(workspace, host);
    host.session = &session;
    session.run();
    EXPECT_EQ(host.outcomes.size(), 2);
    EXPECT_EQ(host.pendingEventRuns, 2);
    EXPECT_EQ(host.messages.size(), 1);
    EXPECT_FALSE(session.isRunning());
}
