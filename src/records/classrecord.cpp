#include "classrecord.h"

#include "documents/platformfile.h"

#include "classrecordcolumns.h"
#include "csvformat.h"
#include "marking/capitalscopy.h"
#include "marking/fileoperations.h"
#include "marking/layoutdeductions.h"
#include "marking/testoutcome.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cstdlib>

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

QString learnerName(const QString &path)
{
    QString name = path.mid(path.lastIndexOf(u'/') + 1);
    if (name.endsWith(u".rtf"_s, Qt::CaseInsensitive) || name.endsWith(u".rug"_s, Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

} // namespace

QStringList classRecordHeader()
{
    return recordcolumns::headerNames();
}

QStringList classRecordFields(const ClassRecordRow &row)
{
    QStringList fields;
    for (const recordcolumns::RecordColumn &column : recordcolumns::columns())
        fields.append(recordcolumns::cellText(column.kind, column.value(row)));
    return fields;
}

QString recordTimeText(const QDateTime &time)
{
    if (!time.isValid())
        return {};
    // Never "Z": a record read in another zone still shows where and when the test was marked.
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(u"yyyy-MM-dd'T'HH:mm:ss"_s) + (offset < 0 ? u'-' : u'+')
        + u"%1:%2"_s.arg(minutes / 60, 2, 10, QChar(u'0')).arg(minutes % 60, 2, 10, QChar(u'0'));
}

ClassRecordRow classRecordRow(const TestOutcome &outcome, const QDateTime &markedAt, const QString &markedCopy,
                              Rounding rounding)
{
    ClassRecordRow row;
    // With its offset from UTC, so that rows from machines in other time zones still order.
    row.markedAt = markedAt.toOffsetFromUtc(markedAt.offsetFromUtc());
    // Named as in the destination, where two learners' tests of the same name are kept apart.
    row.learner = learnerName(markedCopy.isEmpty() ? outcome.path : markedCopy);
    row.sourcePath = outcome.path;
    row.rounding = rounding;
    row.verdict = outcome.verdict;
    row.verdictDetail = outcome.verdictDetail;
    if (outcome.status != TestOutcome::Status::Marked)
        return row;
    row.markedCopy = markedCopy;
    if (outcome.language)
        row.memoLanguage = *outcome.language == MemoLanguage::English ? u"English"_s : u"Afrikaans"_s;
    row.keystrokes = outcome.charCount;
    row.grossWords = outcome.grossWords;
    row.wordsWithErrors = outcome.errorCount;
    row.wpm = outcome.wpm;
    row.finalResult = outcome.finalWpm;
    row.remarks = layoutRemarks(outcome.layout).join(u"; "_s);
    if (outcome.typedInCapitals)
        row.remarks = row.remarks.isEmpty() ? CapitalsRemark : CapitalsRemark + u"; "_s + row.remarks;
    return row;
}

ClassRecordRow notMarkedRow(const QString &testPath, const QString &reason, const QDateTime &markedAt,
                            const QString &markedCopy, Rounding rounding)
{
    TestOutcome outcome;
    outcome.path = testPath;
    outcome.status = TestOutcome::Status::NotMarked;
    outcome.verdict = Verdict::NotMarked;
    ClassRecordRow row = classRecordRow(outcome, markedAt, markedCopy, rounding);
    row.remarks = reason;
    return row;
}

QString classRecordPath(const QString &destFolder)
{
    return destFolder + u'/' + ClassRecordFileName;
}

Failure appendClassRecord(const QString &destFolder, const ClassRecordRow &row)
{
    const QString path = classRecordPath(destFolder);
    // The session holds the destination's lock, so nobody else starts the file meanwhile. A link
    // is replaced by a new file rather than written through, and so the header goes first as in
    // an empty file, whatever the link pointed to.
    const QFileInfo info(path);
    QString text;
    if (info.isSymLink() || info.size() == 0)
        text = QChar(QChar::ByteOrderMark) + csvRecord(classRecordHeader());
    else if (endsInsideALine(path))
        text = u"\r\n"_s;
    text += csvRecord(classRecordFields(row));
    const int error = platform::appendWhole(path, text.toUtf8());
    return error == 0 ? Failure::ok() : Failure::fromErrno(error, path);
}

std::optional<double> LearnerResult::change() const
{
    if (!current.finalResult || !previousResult)
        return std::nullopt;
    return *current.finalResult - *previousResult;
}

QList<LearnerResult> currentResults(const QList<ClassRecordRow> &rows)
{
    QHash<QString, LearnerResult> byLearner;
    for (const ClassRecordRow &row : rows) {
        auto it = byLearner.find(row.learner);
        if (it == byLearner.end()) {
            byLearner.insert(row.learner, LearnerResult{row, std::nullopt});
            continue;
        }
        if (it->current.finalResult)
            it->previousResult = it->current.finalResult;
        it->current = row;
    }
    QList<LearnerResult> results = byLearner.values();
    std::sort(results.begin(), results.end(), [](const LearnerResult &a, const LearnerResult &b) {
        const int order = a.current.learner.compare(b.current.learner, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.current.learner < b.current.learner;
    });
    return results;
}

} // namespace tallimark
