// Whole marking sessions in a temporary folder: a program folder, a class folder and two memos.
#include "scriptedhost.h"

#include "support/childprocess.h"
#include "support/qstringprinting.h"

#include "documents/workspace.h"
#include "marking/markingoutput.h"
#include "marking/markingsession.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tallimark;
using namespace tallimark::testing;
using namespace Qt::StringLiterals;

namespace {

const QString Memo = u"We like to read books at home. and this sentence ends the memo text here."_s;
const QString DoubledTest = u"We like like to read books at home. and this sentence ends the memo text here."_s;

// The memo and a blank, over and over, to the length given.
QString memoTimes(int length)
{
    return (Memo + u' ').repeated(length / int(Memo.size()) + 1).left(length);
}

constexpr auto OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

class SessionFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        for (const QString &folder : {u"app"_s, u"Class7B"_s, u"memos"_s})
            QDir(m_root.path()).mkpath(folder);
        host.folder = path(u"app"_s);
        setMemos(Memo, Memo);
    }

    QString path(const QString &relative) const { return m_root.path() + u'/' + relative; }
    QString destination(const QString &name = u"Class7B"_s) const { return path(u"app/"_s + name); }
    static void write(const QString &file, const QString &text)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.toUtf8());
    }
    QString results(const QString &name = u"Class7B"_s) const
    {
        QFile in(destination(name) + u"/Resultaat.res"_s);
        return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
    }

    // Both memos; the English one is in the memo box afterwards, as after start-up.
    void setMemos(const QString &afrikaans, const QString &english)
    {
        workspace.memoFiles = {path(u"memos/Bron.rtf"_s), path(u"memos/Source.rtf"_s)};
        write(workspace.memoFiles[0], afrikaans);
        write(workspace.memoFiles[1], english);
        ASSERT_FALSE(workspace.memoDocument.loadFile(workspace.memoFiles[1]).failed());
    }
    QString addTest(const QString &name, const QString &text, const QString &folder = u"Class7B"_s)
    {
        host.testList.append(path(folder + u'/' + name));
        write(host.testList.last(), text);
        return host.testList.last();
    }

    // Every folder and file of the fixture open to every user, for a check run as another one.
    void openToEveryone() const
    {
        const auto all = OwnerOnly | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QFile::setPermissions(m_root.path(), all);
        QDirIterator it(m_root.path(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(), all);
    }

    Workspace workspace;
    ScriptedHost host;
    MarkingSession session{workspace, host};

private:
    QTemporaryDir m_root;
};

using Ending = MarkingSession::Ending;

struct SessionCase
{
    const char *name;
    QList<std::pair<QString, QString>> tests{}; // under the class folder; a name starting "!" is never written
    QString memoBox = Memo;                     // what the memo box holds when the session starts
    QString afrikaansMemo = Memo;
    bool destinationExists = false;
    QStringList answers{};
    QString destination = u"Class7B"_s;
    bool asInteger = false;
    bool clickAgain = false; // the button is clicked again from the pending events between tests
    Ending ending = Ending::Completed;
    QString statuses{};  // per outcome: M marked, S too short, L too long
    QStringList texts{}; // the outcomes' test texts, when given
    // Lines of the report box and of "Resultaat.res", the messages and questions, with {dest}
    // for the destination folder and {class} for the class folder; a line ending in "*" only
    // has to start with the rest.
    QStringList report{};
    QStringList results{};
    QStringList messages{};
    QStringList inputs{};
    QList<int> skipped{};
    bool blocked = false;
    int failure = 0; // the number of the failure that ended it
};

class Session : public SessionFixture, public ::testing::WithParamInterface<SessionCase>
{
protected:
    void expectLines(const QString &text, const QStringList &expected, const char *what) const
    {
        QStringList lines = text.split(u"\r\n"_s);
        if (lines.last().isEmpty())
            lines.removeLast();
        ASSERT_EQ(lines.size(), expected.size()) << what << ": " << text.toStdString();
        for (qsizetype k = 0; k < lines.size(); ++k) {
            QString line = expected[k];
            line.replace(u"{dest}"_s, destination(GetParam().destination)).replace(u"{class}"_s, path(u"Class7B"_s));
            if (line.endsWith(u'*')) {
                EXPECT_TRUE(lines[k].startsWith(line.chopped(1))) << what << ": " << lines[k].toStdString();
            } else {
                EXPECT_EQ(lines[k], line) << what;
            }
        }
    }
};

} // namespace

TEST_P(Session, RunsAsTheRowSays)
{
    const SessionCase &row = GetParam();
    setMemos(row.afrikaansMemo, Memo);
    workspace.memoDocument.setText(row.memoBox);
    if (row.destinationExists)
        QDir().mkpath(destination());
    for (const auto &[name, text] : row.tests) {
        if (name.startsWith(u'!'))
            host.testList.append(path(u"Class7B/"_s + name.mid(1)));
        else
            addTest(name.section(u'/', -1), text, name.contains(u'/') ? u"app/Class7B"_s : u"Class7B"_s);
    }
    host.inputAnswers = row.answers;
    host.integerResults = row.asInteger;
    if (row.clickAgain)
        host.onPendingEvents = [this] { session.run(); };
    session.run();
    EXPECT_FALSE(session.isRunning());

    EXPECT_EQ(session.ending(), row.ending);
    QString statuses;
    for (const TestOutcome &outcome : std::as_const(host.outcomes))
        statuses += u"MSL"_s.at(int(outcome.status));
    EXPECT_EQ(statuses, row.statuses);
    for (qsizetype k = 0; k < row.texts.size() && k < host.outcomes.size(); ++k)
        EXPECT_EQ(host.outcomes[k].testText, row.texts[k]) << k;
    expectLines(host.report, row.report, "report");
    expectLines(results(row.destination), row.results, "results");
    expectLines(host.messages.join(u"\r\n"_s), row.messages, "messages");
    expectLines(host.inputs.join(u"\r\n"_s), row.inputs, "inputs");
    EXPECT_EQ(host.skipped, row.skipped);
    EXPECT_EQ(session.resultsBlocked(), row.blocked);
    EXPECT_EQ(static_cast<int>(session.endingFailure().number), row.failure);
    // Past the checks, the report shows and its close button comes with the end.
    EXPECT_EQ(host.reportShown, row.ending != Ending::Precondition);
    EXPECT_EQ(host.closeButtonShown, row.ending != Ending::Precondition);
    const bool stoppedEarly = row.ending == Ending::Precondition || row.ending == Ending::Cancelled;
    EXPECT_FALSE(stoppedEarly && QFileInfo::exists(destination() + u"/Jan.rtf"_s));
    EXPECT_FALSE(row.ending == Ending::Precondition && !QDir(host.folder).isEmpty());
    if (row.ending == Ending::Completed) {
        EXPECT_EQ(workspace.destFolder, destination(row.destination));
        EXPECT_EQ(host.name, row.destination);
        EXPECT_EQ(host.preview, workspace.destFolder);
        EXPECT_TRUE(host.label.isEmpty());
        EXPECT_EQ(host.pendingEventRuns, row.statuses.count(u'M'));
    }
}

const QString Header = u"               Marking speed tests in Class7B"_s;
const QString Done = u"Done: End of this marking session.\rResults have been saved in {dest}\r"_s;
const QString Question = u"Folder already exists: Type new foldername or click Enter to proceed [Class7B]"_s;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Marking, Session, ::testing::Values(
    SessionCase{.name = "emptyTestBox", .ending = Ending::Precondition,
                .messages = {u"Error: No speed tests in the green box..."_s}},
    SessionCase{.name = "memoOf49Characters", .tests = {{u"Jan.rtf"_s, DoubledTest}}, .memoBox = QString(49, u'm'),
                .ending = Ending::Precondition, .messages = {u"Error: Source Document missing, or too small..."_s}},
    // 78 characters, one capital: 79 keystrokes, 16 gross words; one excess word that the
    // doubled-word check also made an error: 1 word with an error; 1.5, as integer 2.
    SessionCase{.name = "memoOf50CharactersAsInteger", .tests = {{u"Jan.rtf"_s, DoubledTest}},
                .memoBox = QString(50, u'm'), .asInteger = true, .statuses = u"M"_s,
                .report = {Header, {}, u"{class}/Jan.rtf.......Successful"_s}, .results = {u"{dest}/Jan   2 wpm"_s},
                .messages = {Done}},
    SessionCase{.name = "lengthsAtTheBoundaries",
                .tests = {{u"a49.rtf"_s, memoTimes(49)}, {u"a50.rtf"_s, memoTimes(50)}, {u"a5000.rtf"_s, memoTimes(5000)},
                          {u"a5001.rtf"_s, memoTimes(5001)}},
                .statuses = u"SMML"_s,
                .report = {Header, {}, u"{class}/a49.rtf.......too short or empty"_s, u"{class}/a50.rtf.......*"_s,
                           u"{class}/a5000.rtf.......*"_s, u"{class}/a5001.rtf.......too long or corrupt"_s},
                .results = {u"{class}/a49.rug  0  wpm"_s, u"{dest}/a50   *"_s, u"{dest}/a5000   *"_s,
                            u"{class}/a5001.rug  0  wpm"_s},
                .messages = {Done}},
    // All capitals: half the characters count, 25.5 rounding to 26 and 26.5 to 26.
    SessionCase{.name = "allCapitalsHalved",
                .tests = {{u"caps.rtf"_s, u"ABC DEF GHI "_s.repeated(500)},
                          {u"caps51.rtf"_s, u"XYZ."_s.repeated(13).left(51)}, {u"caps53.rtf"_s, u"XYZ."_s.repeated(14).left(53)}},
                .statuses = u"MMM"_s,
                .texts = {u"ABC DEF GHI "_s.repeated(250).left(2999), u"XYZ."_s.repeated(7).left(26),
                          u"XYZ."_s.repeated(7).left(26)},
                .report = {Header, {}, u"*"_s, u"*"_s, u"*"_s}, .results = {u"*"_s, u"*"_s, u"*"_s}, .messages = {Done}},
    SessionCase{.name = "aClickDuringASessionIsIgnored",
                .tests = {{u"a.rtf"_s, DoubledTest}, {u"b.rtf"_s, DoubledTest}}, .clickAgain = true, .statuses = u"MM"_s,
                .report = {Header, {}, u"*"_s, u"*"_s}, .results = {u"*"_s, u"*"_s}, .messages = {Done}},
    SessionCase{.name = "rejectedTestsAreSkipped",
                .tests = {{u"a.rtf"_s, u"too short"_s}, {u"b.rtf"_s, QString()}, {u"c.rtf"_s, DoubledTest},
                          {u"d.rtf"_s, u"short"_s}},
                .statuses = u"SSMS"_s,
                .report = {Header, {}, u"{class}/a.rtf.......too short or empty"_s, u"{class}/b.rtf.......too short or empty"_s,
                           u"{class}/c.rtf.......Successful"_s, u"{class}/d.rtf.......too short or empty"_s},
                .results = {u"{class}/a.rug  0  wpm"_s, u"{class}/b.rug  0  wpm"_s, u"{dest}/c   0 wpm"_s,
                            u"{class}/d.rug  0  wpm"_s},
                .messages = {Done}},
    SessionCase{.name = "existingDestinationAndNoAnswer", .tests = {{u"Jan.rtf"_s, DoubledTest}},
                .destinationExists = true, .ending = Ending::Cancelled, .inputs = {Question}},
    SessionCase{.name = "anotherAnswerMakesAnotherFolder", .tests = {{u"Jan.rtf"_s, DoubledTest}},
                .destinationExists = true, .answers = {u"Retake"_s}, .destination = u"Retake"_s, .statuses = u"M"_s,
                .report = {u"               Marking speed tests in Retake"_s, {}, u"{class}/Jan.rtf.......Successful"_s},
                .results = {u"{dest}/Jan   0 wpm"_s}, .messages = {Done}, .inputs = {Question}},
    // A test already in the destination is not copied onto itself.
    SessionCase{.name = "testAlreadyInTheDestination", .tests = {{u"app/Jan.rtf"_s, DoubledTest}},
                .destinationExists = true, .answers = {u"Class7B"_s}, .statuses = u"M"_s,
                .report = {Header, {}, u"{dest}/Jan.rtf.......Successful"_s}, .results = {u"{dest}/Jan   0 wpm"_s},
                .messages = {Done}, .inputs = {Question}},
    // The copy fails quietly (file not found), the loading then ends the session.
    SessionCase{.name = "missingTest", .tests = {{u"!gone.rtf"_s, {}}}, .ending = Ending::Failed, .report = {Header, {}},
                .messages = {u"Error: Tallimark does not have access to certain documents. Maybe Eng/Afr source "
                             "document is empty, or speed test is not a valid file."_s},
                .skipped = {53}, .blocked = true, .failure = 75},
    // 900 doubled words where the memo has the word once: the doubled-word counter overflows.
    SessionCase{.name = "moreThan255DoubledWords", .tests = {{u"Jan.rtf"_s, u"ab "_s.repeated(300)}},
                .afrikaansMemo = u"We ab like to read books at home. and this sentence ends here."_s,
                .ending = Ending::Failed, .report = {Header, {}},
                .messages = {u"Error: Overflow error. {dest}/Jan.rtf may be too large. This session will terminate."_s},
                .failure = 6}),
    [](const ::testing::TestParamInfo<SessionCase> &param) { return std::string(param.param.name); });
// clang-format on

using SessionRuns = SessionFixture;

TEST_F(SessionRuns, TheMarkedCopyShowsTheErrorAndTheReportBlock)
{
    host.integerResults = true;
    addTest(u"Jan.rtf"_s, DoubledTest);
    session.run();
    ASSERT_EQ(host.outcomes.size(), 1);
    EXPECT_EQ(host.outcomes[0].language, MemoLanguage::English);
    EXPECT_EQ(host.outcomes[0].reportText,
              u"\r\n|| 79     1m\r\nExcess words: (like )\r\n79 ÷ 5 = 16\r\n"
              "Less no. of words with errors:  - 1 = 15\r\nWPM = 15 ÷ 10 = 1.5         Final: 2 wpm "_s);
    // The second "like" (characters 8 to 11, 0-based) white on red, the report block in red at
    // the end, the listed excess word white on light red.
    RichDocument marked;
    ASSERT_FALSE(marked.loadFile(destination() + u"/Jan.rug"_s).failed());
    EXPECT_EQ(marked.text(), DoubledTest + host.outcomes[0].reportText);
    const CharFormat error = marked.formatAt(8);
    EXPECT_TRUE(error.background == Red && error.colour == White && error.bold);
    EXPECT_NE(marked.formatAt(12).background, Red);
    const CharFormat report = marked.formatAt(int(DoubledTest.size()) + 3);
    EXPECT_TRUE(report.colour == Red && report.bold);
    const CharFormat excess = marked.formatAt(int(marked.text().indexOf(u"Excess words: "_s)) + 14);
    EXPECT_TRUE(excess.background == Red && excess.colour == White && !excess.bold);
}

// A failed session blocks the results lines; the next one starts unblocked, and the results file
// grows across sessions in a reused folder.
TEST_F(SessionRuns, TheResultsFileGrowsAcrossSessionsAndABlockEndsWithItsSession)
{
    host.testList = {path(u"Class7B/gone.rtf"_s)};
    session.run();
    EXPECT_TRUE(session.resultsBlocked());
    host.testList.clear();
    addTest(u"Zo\u00EB.rtf"_s, DoubledTest);
    host.inputAnswers = {u"Class7B"_s};
    session.run();
    EXPECT_FALSE(session.resultsBlocked());
    host.testList.clear();
    addTest(u"Piet.rtf"_s, u"no more than this"_s);
    host.inputAnswers = {u"Class7B"_s};
    session.run();
    EXPECT_EQ(results(), destination() + u"/Zo\u00EB   0 wpm\r\n"_s + path(u"Class7B/Piet.rug  0  wpm\r\n"_s));
}

struct Permissions : SessionFixture, ::testing::WithParamInterface<bool>
{ };

// In a child process as an unprivileged user: root would read and write anyway.
TEST_P(Permissions, AReadOnlyDestinationOrAnUnreadableTestIsPermissionDenied)
{
    const bool readOnlyDestination = GetParam();
    const QString jan = addTest(u"Jan.rtf"_s, DoubledTest);
    if (readOnlyDestination) {
        QDir().mkpath(destination());
        host.inputAnswers = {u"Class7B"_s};
    }
    openToEveryone();
    const QString locked = readOnlyDestination ? destination() : jan;
    const auto readOnly =
        QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QFile::setPermissions(locked, readOnlyDestination ? readOnly : QFileDevice::Permissions());
    const int failedCheck = inChildProcess([&] {
        session.run();
        if (host.messages.value(host.messages.size() - 1) != u"Error: Permission denied. Try another location."_s)
            return 1;
        if (!session.resultsBlocked() || session.ending() != Ending::Failed)
            return 2;
        return session.endingFailure().number == ErrorNumber::PermissionDenied ? 0 : 3;
    });
    QFile::setPermissions(locked, OwnerOnly);
    EXPECT_EQ(failedCheck, 0);
}

INSTANTIATE_TEST_SUITE_P(Marking, Permissions, ::testing::Bool());

TEST_F(SessionRuns, ATestMarkedAloneOrAmongOthersGivesTheSameResult)
{
    const QString memo = u"Something good is coming. We walk to school, and the end is near. Yes. The cat and "
                         "the dog play outside all day long. "_s
        + Memo;
    setMemos(memo, memo);
    addTest(u"quiet.rtf"_s, u"Yes. The cat and the dog play outside  all day long. We like to read books."_s);
    session.run();
    ASSERT_EQ(host.outcomes.size(), 1);
    const TestOutcome alone = host.outcomes[0];

    ScriptedHost second;
    second.folder = host.folder;
    second.inputAnswers = {u"Again"_s};
    second.testList = {path(u"Class7B/busy.rtf"_s), host.testList[0], path(u"Class7B/busy.rtf"_s)};
    write(second.testList[0],
          u"Some thing good is comming. We walk to School, and the end is near. Yes.The cat "
          "and teh dog play.Outside all teh day long. We like like to read books at home. "
          "and this sentence ends the memo text here."_s);
    MarkingSession another(workspace, second);
    another.run();
    ASSERT_EQ(second.outcomes.size(), 3);
    const auto figures = [](const TestOutcome &outcome) {
        QStringList parts{outcome.reportText, QString::number(outcome.finalWpm),
                          QString::number(outcome.memoCutLength)};
        for (const ErrorEntry &error : outcome.errors)
            parts << u"%1@%2/%3"_s.arg(error.word).arg(error.start).arg(error.kind);
        for (const HighlightOperation &h : outcome.highlights)
            parts << u"%1+%2"_s.arg(h.start0).arg(h.length);
        return parts + outcome.excessWords;
    };
    EXPECT_EQ(figures(second.outcomes[1]), figures(alone));
    // The busy test really did leave errors and repeats behind it.
    EXPECT_GE(second.outcomes[0].errors.size(), 4);
    EXPECT_GE(second.outcomes[0].repeats.size(), 2);
}

TEST(MarkedCopyName, LosesItsFolderAndLastFourCharacters)
{
    EXPECT_EQ(markedCopyPath(u"/d/Class1"_s, u"/t/Jan.rtf"_s), u"/d/Class1/Jan.rug"_s);
    EXPECT_EQ(markedCopyPath(u"/d"_s, u"/x/abcdef"_s), u"/d/ab.rug"_s);
    EXPECT_EQ(markedCopyPath(u"/d"_s, u"  "_s), u"/d/Unti.rug"_s);
    EXPECT_EQ(zeroResultLine(u"/t/Piet.rtf"_s), u"/t/Piet.rug  0  wpm"_s);
    EXPECT_EQ(resultsLine(u"/d/Class1"_s, u"/d/Class1/Jan.rtf"_s, 25), u"/d/Class1/Jan   25 wpm"_s);
}
