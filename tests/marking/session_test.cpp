// Whole marking sessions in a temporary folder: a program folder, a class folder and two memos.
#include "sessionfixture.h"

#include "support/qstringprinting.h"
#include "support/rowname.h"

#include "marking/capitalscopy.h"
#include "marking/markingoutput.h"
#include "records/classrecord.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

using namespace tallimark;
using namespace tallimark::testing;
using namespace Qt::StringLiterals;

namespace {

QString memoTimes(int length)
{
    return (Memo + u' ').repeated(length / int(Memo.size()) + 1).left(length);
}

using Ending = MarkingSession::Ending;

// Test texts that stand for a file of another kind, or for none.
const QString Missing = u"<missing>"_s, Folder = u"<folder>"_s, Huge = u"<65 MB>"_s;

struct SessionCase
{
    const char *name;
    QList<std::pair<QString, QString>> tests{}; // name and text, under the class folder or "app/" when named so
    QString afrikaansMemo = Memo, englishMemo = Memo;
    bool destinationExists = false;
    QStringList answers{};
    QString destination = u"Class7B"_s;
    bool clickAgain = false;  // the button is clicked again from the pending events between tests
    bool memoEmptied = false; // the English memo is emptied there instead
    Ending ending = Ending::Completed;
    QString statuses{};  // per outcome: M marked, S too short, L too long, N not marked
    QStringList texts{}; // the outcomes' test texts, when given
    // Lines of the report box and of "Resultaat.res", the messages and questions, with {dest}
    // for the destination folder and {class} for the class folder; a "*" stands for the rest
    // of its line.
    QStringList report{}, results{}, messages{}, inputs{};
    int failure = 0; // the number of the failure that ended it
};
TALLIMARK_ROW_PRINTS_ITS_NAME(SessionCase)

struct Session : SessionFixture, ::testing::WithParamInterface<SessionCase>
{ };

} // namespace

TEST_P(Session, RunsAsTheRowSays)
{
    const SessionCase &row = GetParam();
    setMemos(row.afrikaansMemo, row.englishMemo);
    if (row.destinationExists)
        QDir().mkpath(destination());
    for (const auto &[name, text] : row.tests) {
        const QString file = path((name.contains(u'/') ? u"app/Class7B/"_s : u"Class7B/"_s) + name.section(u'/', -1));
        host.testList.append(file);
        if (text == Folder) {
            ASSERT_TRUE(QDir().mkpath(file));
        } else if (text == Huge) {
            QFile sparse(file); // no disk space used, and never read
            ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(65 * 1024 * 1024));
        } else if (text != Missing) {
            write(file, text);
        }
    }
    host.inputAnswers = row.answers;
    if (row.clickAgain)
        host.onPendingEvents = [this] { session.run(); };
    if (row.memoEmptied)
        host.onPendingEvents = [this] { write(workspace.memoFiles[1], QString()); };
    session.run();
    EXPECT_FALSE(session.isRunning());

    EXPECT_EQ(session.ending(), row.ending);
    QString statuses;
    QStringList notMarked; // the command line's exit status comes from these
    for (const TestOutcome &outcome : std::as_const(host.outcomes)) {
        statuses += u"MSLN"_s.at(int(outcome.status));
        if (outcome.status == TestOutcome::Status::NotMarked)
            notMarked << outcome.path;
    }
    EXPECT_EQ(statuses, row.statuses);
    for (qsizetype k = 0; k < row.texts.size() && k < host.outcomes.size(); ++k)
        EXPECT_EQ(host.outcomes[k].testText, row.texts[k]) << k;
    const QString dest = destination(row.destination);
    const auto expectLines = [&](const QString &text, const QStringList &lines) {
        const QString expected =
            lines.join(u"\r\n"_s).replace(u"{dest}"_s, dest).replace(u"{class}"_s, path(u"Class7B"_s));
        const QString pattern = QRegularExpression::escape(expected).replace(u"\\*"_s, u"[^\n]*"_s) + u"(\r\n)?"_s;
        EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch())
            << text.toStdString() << "\nexpected:\n"
            << expected.toStdString();
    };
    expectLines(host.report, row.report);
    expectLines(results(row.destination), row.results);
    expectLines(host.messages.join(u"\r\n"_s), row.messages);
    expectLines(host.inputs.join(u"\r\n"_s), row.inputs);
    EXPECT_TRUE(host.skipped.isEmpty());
    EXPECT_FALSE(session.resultsBlocked());
    EXPECT_TRUE(row.ending != Ending::Completed || session.testsNotMarked() == notMarked);
    EXPECT_EQ(static_cast<int>(session.endingFailure().number), row.failure);
    const bool pastTheChecks = row.ending != Ending::Precondition;
    EXPECT_EQ(std::pair(host.reportShown, host.closeButtonShown), std::pair(pastTheChecks, pastTheChecks));
    // Only the destination is made, never a folder from a refused answer, and none before the
    // checks pass; a cancelled session copies nothing.
    QStringList folders{u"Class7B"_s, row.destination};
    folders.removeDuplicates();
    EXPECT_EQ(QDir(host.folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              row.ending == Ending::Precondition ? QStringList() : folders);
    EXPECT_TRUE(row.ending != Ending::Cancelled || QDir(destination()).isEmpty());
    if (row.ending == Ending::Completed) {
        EXPECT_EQ(std::tuple(session.workspace().destFolder, host.preview, host.name),
                  std::tuple(dest, dest, row.destination));
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
    // Each memo is checked, not the one in the memo box: a session starts when one can be used.
    SessionCase{.name = "memoOf50Characters", .tests = {{u"Jan.rtf"_s, DoubledTest}},
                .afrikaansMemo = QString(49, u'm'), .englishMemo = Memo.left(50), .statuses = u"M"_s,
                .report = {Header, {}, u"{class}/Jan.rtf.......Successful"_s}, .results = {u"{dest}/Jan   *"_s},
                .messages = {Done}},
    SessionCase{.name = "lengthsAtTheBoundaries",
                .tests = {{u"a49.rtf"_s, memoTimes(49)}, {u"a50.rtf"_s, memoTimes(50)}, {u"a5000.rtf"_s, memoTimes(5000)},
                          {u"a5001.rtf"_s, memoTimes(5001)}, {u"empty.rtf"_s, QString()}},
                .statuses = u"SMMLS"_s,
                .report = {Header, {}, u"{class}/a49.rtf.......too short or empty"_s, u"{class}/a50.rtf.......*"_s,
                           u"{class}/a5000.rtf.......*"_s, u"{class}/a5001.rtf.......too long or corrupt"_s,
                           u"{class}/empty.rtf.......too short or empty"_s},
                .results = {u"{class}/a49.rug  0  wpm"_s, u"{dest}/a50   *"_s, u"{dest}/a5000   *"_s,
                            u"{class}/a5001.rug  0  wpm"_s, u"{class}/empty.rug  0  wpm"_s},
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
    // A session reads each memo once: a memo changed while it runs changes nothing for its later tests.
    SessionCase{.name = "aMemoEmptiedDuringASession", .tests = {{u"a.rtf"_s, DoubledTest}, {u"b.rtf"_s, DoubledTest}},
                .memoEmptied = true, .statuses = u"MM"_s, .report = {Header, {}, u"*"_s, u"*"_s},
                .results = {u"*"_s, u"*"_s}, .messages = {Done}},
    SessionCase{.name = "existingDestinationAndNoAnswer", .tests = {{u"Jan.rtf"_s, DoubledTest}},
                .destinationExists = true, .ending = Ending::Cancelled, .inputs = {Question}},
    // An answer that is a path, or a name no disk holds, is refused and the question asked again.
    SessionCase{.name = "aPathAnswerIsAskedAgain", .tests = {{u"Jan.rtf"_s, DoubledTest}}, .destinationExists = true,
                .answers = {u"Grade10/Retake"_s, QString(300, u'x'), u"Retake"_s},
                .destination = u"Retake"_s, .statuses = u"M"_s,
                .report = {u"               Marking speed tests in Retake"_s, {}, u"{class}/Jan.rtf.......Successful"_s},
                .results = {u"{dest}/Jan   0 wpm"_s},
                .messages = {u"Folder already exists: \"Grade10/Retake\" is a path, not a folder name.\r*"_s,
                             u"Folder already exists: \""_s + QString(300, u'x')
                                 + u"\" is too long for a folder name.\rType a shorter name."_s,
                             Done},
                .inputs = {Question, Question, Question}},
    // A test already in the destination is not copied onto itself.
    SessionCase{.name = "testAlreadyInTheDestination", .tests = {{u"app/Jan.rtf"_s, DoubledTest}},
                .destinationExists = true, .answers = {u"Class7B"_s}, .statuses = u"M"_s,
                .report = {Header, {}, u"{dest}/Jan.rtf.......Successful"_s}, .results = {u"{dest}/Jan   0 wpm"_s},
                .messages = {Done}, .inputs = {Question}},
    // A test that cannot be read gets the reason and no result; one that is not text is rejected
    // as corrupt with the reason; marking goes on either way.
    SessionCase{.name = "unreadableAndCorruptTests",
                .tests = {{u"Zo\u00EB.rtf"_s, Missing}, {u"folder.rtf"_s, Folder}, {u"essay.rtf"_s, u"PK\x03\x04rest of a zip"_s}, {u"huge.rtf"_s, Huge},
                          {u"Jan.rtf"_s, DoubledTest}},
                .statuses = u"NNLLM"_s,
                .report = {Header, {}, u"{class}/Zo\u00EB.rtf.......could not be read: no such file"_s,
                           u"{class}/folder.rtf.......could not be read: not a regular file"_s,
                           u"{class}/essay.rtf.......too long or corrupt (a Word document saved under an .rtf name)"_s,
                           u"{class}/huge.rtf.......too long or corrupt (larger than 64 MB, too large for a document)"_s,
                           u"{class}/Jan.rtf.......Successful"_s},
                .results = {u"{class}/essay.rug  0  wpm"_s, u"{class}/huge.rug  0  wpm"_s, u"{dest}/Jan   0 wpm"_s},
                .messages = {Done}},
    // 900 doubled words where the memo has the word once: the doubled-word counter overflows.
    SessionCase{.name = "moreThan255DoubledWords", .tests = {{u"Jan.rtf"_s, u"ab "_s.repeated(300)}},
                .afrikaansMemo = u"We ab like to read books at home. and this sentence ends here."_s,
                .ending = Ending::Failed,
                .report = {Header, {}, {}, u"Not marked in this session:"_s, u"{class}/Jan.rtf"_s},
                .messages = {u"Error: Overflow error. {dest}/Jan.rtf may be too large. This session will terminate."_s},
                .failure = 6}),
    RowName());
// clang-format on

using SessionRuns = SessionFixture;

// 78 characters, one capital: 79 keystrokes, 16 gross words; one excess word that the doubled-word
// check also made an error: 1 word with an error; 1.5, as integer 2.
TEST_F(SessionRuns, TheMarkedCopyShowsTheErrorAndTheReportBlock)
{
    host.integerResults = true;
    addTest(u"Jan.rtf"_s, DoubledTest);
    session.run();
    EXPECT_EQ(results(), destination() + u"/Jan   2 wpm\r\n"_s);
    ASSERT_EQ(host.outcomes.size(), 1);
    EXPECT_EQ(host.outcomes[0].language, MemoLanguage::English);
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

// Nothing a test full of errors, repeats and excess words leaves behind reaches the next one;
// the results file of a reused folder grows across sessions.
TEST_F(SessionRuns, ATestMarkedAloneOrAmongOthersGivesTheSameResult)
{
    const QString memo = u"Something good is coming. We walk to school, and the end is near. Yes. The cat and "
                         "the dog play outside all day long. "_s
        + Memo;
    setMemos(memo, memo);
    const QString quiet =
        addTest(u"Zo\u00EB.rtf"_s, u"Yes. The cat and the dog play outside  all day long. We like."_s);
    const QString busy = addTest(u"busy.rtf"_s,
                                 u"Some thing good is comming. We walk to School, and the end is "
                                 "near. Yes.The cat and teh dog play.Outside all teh day long. "
                                 "We like like to read books at home. and this sentence "
                                 "ends the memo text here."_s);
    host.testList = {quiet};
    session.run();
    host.testList = {busy, quiet, busy};
    host.inputAnswers = {u"Class7B"_s};
    session.run();
    ASSERT_EQ(host.outcomes.size(), 4);
    const auto figures = [](const TestOutcome &outcome) {
        QStringList parts{outcome.reportText, QString::number(outcome.finalWpm),
                          QString::number(outcome.memoCutLength)};
        for (const ErrorEntry &error : outcome.errors)
            parts << u"%1@%2/%3"_s.arg(error.word).arg(error.start + 1).arg(int(error.kind));
        for (const HighlightOperation &h : outcome.highlights)
            parts << u"%1+%2"_s.arg(h.start).arg(h.length);
        return parts + outcome.excessWords;
    };
    EXPECT_EQ(figures(host.outcomes[2]), figures(host.outcomes[0]));
    // The busy test really did leave errors and repeats behind it.
    EXPECT_GE(host.outcomes[1].errors.size(), 4);
    EXPECT_GE(host.outcomes[1].repeats.size(), 2);
    EXPECT_TRUE(results().startsWith(destination() + u"/Zo\u00EB   "_s));
    EXPECT_EQ(results().count(u" wpm\r\n"_s), 4);
}

// Each break of a document's first length characters, with its paragraph's layout, and the
// layout of the paragraph those characters end in.
QList<std::pair<Break, ParagraphFormat>> breaksAndParagraphs(const RichDocument &document, qsizetype length)
{
    QList<std::pair<Break, ParagraphFormat>> layout;
    const QString text = document.text();
    for (int i = 0; i < int(length); ++i) {
        if (text[i] == u'\r' || text[i] == u'\t')
            layout.append({document.breakAt(i), document.paragraphFormatAt(i)});
    }
    layout.append({Break::Text, document.paragraphFormatAt(int(length) - 1)});
    return layout;
}

// How a marked copy fails to keep its test: it must hold the test's whole text (less the blanks
// the sentence-end clean-up takes from line ends) and then only what the marking appends, in the
// document's default paragraph; and the test's breaks, paragraphs, sections, page and kept groups.
QString keptDifference(const RichDocument &test, const RichDocument &copy, const QString &appended)
{
    if (!copy.text().endsWith(appended))
        return u"the copy does not end in what the marking appends"_s;
    const QString body = copy.text().chopped(appended.size());
    // The final paragraph mark is a line end to the clean-up as well.
    static const QRegularExpression sentenceEnd(u"([.!?]) {1,2}\r"_s);
    const QString cleaned = QString(test.text() + u'\r').replace(sentenceEnd, u"\\1\r"_s).chopped(1);
    if (body != test.text() && body != cleaned)
        return u"text"_s;
    if (breaksAndParagraphs(copy, body.size()) != breaksAndParagraphs(test, test.length()))
        return u"paragraphs or breaks"_s;
    if (copy.paragraphFormatAt(copy.length()) != ParagraphFormat{})
        return u"the report's paragraph"_s;
    if (copy.sections() != test.sections() || copy.documentFormat() != test.documentFormat())
        return u"sections or page"_s;
    const bool sameKept = std::ranges::equal(copy.keptRtf(), test.keptRtf(), {}, &KeptRtf::rtf, &KeptRtf::rtf);
    return sameKept ? QString() : u"kept groups"_s;
}

// The sample class, and the learners' documents beside the checkout when they are there, marked
// as a teacher marks them: every copy keeps its test whole. The test typed in capitals is marked
// on its first half only; its copy shows the rest in grey after the marks, and the remark says so.
TEST_F(SessionRuns, EveryMarkedCopyKeepsItsWholeTest)
{
    const QString examples = QStringLiteral(TALLIMARK_SOURCE_DIR "/examples");
    workspace.memoFiles = {examples + u"/Bron.rtf"_s, examples + u"/Source.rtf"_s};
    for (const QString &folder : {examples + u"/Grade10A"_s, QStringLiteral(TALLIMARK_SHARED_SAMPLES)}) {
        for (const QFileInfo &file : QDir(folder).entryInfoList({u"*.rtf"_s}, QDir::Files, QDir::Name)) {
            host.testList << path(u"Class7B/"_s + file.fileName());
            ASSERT_TRUE(QFile::copy(file.filePath(), host.testList.last()));
        }
    }
    session.run();
    ASSERT_EQ(session.ending(), Ending::Completed);

    int capitals = 0;
    for (const TestOutcome &outcome : std::as_const(host.outcomes)) {
        if (outcome.status != TestOutcome::Status::Marked)
            continue;
        RichDocument test, copy;
        ASSERT_FALSE(test.loadFile(outcome.path).failed());
        ASSERT_FALSE(copy.loadFile(markedCopyPath(destination(), outcome.path)).failed()) << outcome.path.toStdString();
        const QString appended =
            outcome.typedInCapitals ? u"\r\n"_s + CapitalsRemark + outcome.reportText : outcome.reportText;
        EXPECT_EQ(keptDifference(test, copy, appended), QString()) << outcome.path.toStdString();
        if (!outcome.typedInCapitals)
            continue;
        ++capitals;
        const int marked = int(std::nearbyint(test.length() / 2.0));
        EXPECT_EQ(outcome.testText, test.text().left(marked).trimmed()) << outcome.path.toStdString();
        EXPECT_NE(copy.formatAt(marked - 1).colour, Grey) << outcome.path.toStdString();
        for (int i = marked; i < test.length(); ++i)
            ASSERT_TRUE(copy.text()[i] == u'\r' || copy.text()[i] == u'\n' || copy.formatAt(i).colour == Grey)
                << outcome.path.toStdString() << " at " << i;
    }
    EXPECT_GE(capitals, 1); // Ruan Fourie of the sample class
    const ClassRecord record = readClassRecord(destination());
    for (const ClassRecordRow &row : record.rows) {
        const bool inCapitals = std::any_of(host.outcomes.cbegin(), host.outcomes.cend(), [&](const TestOutcome &o) {
            return o.typedInCapitals && o.path == row.sourcePath;
        });
        EXPECT_EQ(row.remarks.startsWith(CapitalsRemark), inCapitals) << row.learner.toStdString();
    }
}

TEST(MarkedCopyName, LosesItsFolderAndLastFourCharacters)
{
    EXPECT_EQ(markedCopyPath(u"/d/Class1"_s, u"/t/Jan.rtf"_s), u"/d/Class1/Jan.rug"_s);
    EXPECT_EQ(markedCopyPath(u"/d"_s, u"/x/abcdef"_s), u"/d/ab.rug"_s);
    EXPECT_EQ(markedCopyPath(u"/d"_s, u"  "_s), u"/d/Unti.rug"_s);
}
