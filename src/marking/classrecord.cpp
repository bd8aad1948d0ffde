#include "classrecord.h"

#include "documents/platformfile.h"

#include "csvformat.h"
#include "numbertext.h"
#include "testoutcome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <type_traits>

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

enum Column {
    MarkedAt,
    Learner,
    Source,
    MarkedCopy,
    Language,
    Keystrokes,
    GrossWords,
    WordsWithErrors,
    Wpm,
    FinalResult,
    Rounding,
    Verdict,
    Remarks,
    ColumnCount
};

const QStringList &headerNames()
{
    static const QStringList names{u"Marked at"_s,     u"Learner"_s,      u"Source"_s,      u"Marked copy"_s,
                                   u"Memo language"_s, u"Keystrokes"_s,   u"Gross words"_s, u"Words with errors"_s,
                                   u"WPM"_s,           u"Final result"_s, u"Rounding"_s,    u"Verdict"_s,
                                   u"Remarks"_s};
    return names;
}

// Plain C-locale numbers: a spreadsheet reads them whatever the teacher's locale.
QString numberField(std::optional<double> value)
{
    return value ? numberText(*value, u"."_s) : QString();
}

QString numberField(std::optional<qint64> value)
{
    return value ? QString::number(*value) : QString();
}

QString learnerName(const QString &path)
{
    QString name = path.mid(path.lastIndexOf(u'/') + 1);
    if (name.endsWith(u".rtf"_s, Qt::CaseInsensitive) || name.endsWith(u".rug"_s, Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

QString plainVerdict(const QString &verdict)
{
    qsizetype dots = 0;
    while (dots < verdict.size() && verdict.at(dots) == u'.')
        ++dots;
    QString plain = verdict.mid(dots).trimmed();
    if (!plain.isEmpty())
        plain[0] = plain.at(0).toUpper();
    return plain;
}

QString layoutRemarks(const LayoutCounts &layout)
{
    QStringList remarks;
    if (layout.testLineFeeds != layout.memoLineFeeds)
        remarks.append(u"Wrong number of line feeds"_s);
    if (layout.testStops < layout.memoStops)
        remarks.append(u"Missing full stop(s)"_s);
    if (layout.testCommas < layout.memoCommas)
        remarks.append(u"Missing comma(s)"_s);
    if (layout.testMarks < layout.memoMarks)
        remarks.append(u"Missing <!> or <?>"_s);
    return remarks.join(u"; "_s);
}

template <typename T> bool readNumber(const QString &field, std::optional<T> &target)
{
    if (field.isEmpty()) {
        target.reset();
        return true;
    }
    bool ok = false;
    if constexpr (std::is_same_v<T, double>)
        target = field.toDouble(&ok);
    else
        target = field.toLongLong(&ok);
    return ok;
}

} // namespace

QStringList classRecordHeader()
{
    return headerNames();
}

QStringList classRecordFields(const ClassRecordRow &row)
{
    return {row.markedAt.toString(Qt::ISODate),
            row.learner,
            QDir::toNativeSeparators(row.sourcePath),
            QDir::toNativeSeparators(row.markedCopy),
            row.memoLanguage,
            numberField(row.keystrokes),
            numberField(row.grossWords),
            numberField(row.wordsWithErrors),
            numberField(row.wpm),
            numberField(row.finalResult),
            row.rounding,
            row.verdict,
            row.remarks};
}

ClassRecordRow classRecordRow(const TestOutcome &outcome, const QDateTime &markedAt, const QString &markedCopy,
                              bool resultAsInteger)
{
    ClassRecordRow row;
    // With its offset from UTC, so that rows from machines in other time zones still order.
    row.markedAt = markedAt.toOffsetFromUtc(markedAt.offsetFromUtc());
    // Named as in the destination, where two learners' tests of the same name are kept apart.
    row.learner = learnerName(markedCopy.isEmpty() ? outcome.path : markedCopy);
    row.sourcePath = outcome.path;
    row.rounding = resultAsInteger ? u"integer"_s : u"multiple of 5"_s;
    row.verdict = plainVerdict(outcome.verdict);
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
    row.remarks = layoutRemarks(outcome.layout);
    return row;
}

QString classRecordPath(const QString &destFolder)
{
    return destFolder + u'/' + ClassRecordFileName;
}

Failure appendClassRecord(const QString &destFolder, const ClassRecordRow &row)
{
    const QString path = classRecordPath(destFolder);
    // The session holds the destination's lock, so nobody else starts the file meanwhile.
    QString text = QFileInfo(path).size() == 0 ? csvRecord(classRecordHeader()) : QString();
    text += csvRecord(classRecordFields(row));
    const int error = platform::appendWhole(path, text.toUtf8());
    return error == 0 ? Failure::ok() : Failure::fromErrno(error, path);
}

ClassRecord readClassRecord(const QString &destFolder)
{
    ClassRecord record;
    const QString path = classRecordPath(destFolder);
    QFile file(path);
    if (!file.exists())
        return record;
    record.found = true;
    if (!file.open(QIODevice::ReadOnly)) {
        record.problems.append(path + u": "_s + file.errorString());
        return record;
    }
    const CsvTable table = parseCsv(QString::fromUtf8(file.readAll()));
    if (!table.error.isEmpty())
        record.problems.append(path + u", "_s + table.error);
    if (table.records.isEmpty())
        return record;

    const QStringList header = table.records.first();
    QList<qsizetype> at(ColumnCount, -1);
    for (int c = 0; c < ColumnCount; ++c)
        at[c] = header.indexOf(headerNames().at(c));
    if (at[Learner] < 0 || at[FinalResult] < 0) {
        record.problems.append(path + u": the first line is not the class record's header"_s);
        return record;
    }
    for (qsizetype r = 1; r < table.records.size(); ++r) {
        const QStringList &fields = table.records.at(r);
        if (fields.size() == 1 && fields.first().isEmpty())
            continue; // a blank line
        const auto field = [&](Column c) { return at[c] >= 0 ? fields.value(at[c]) : QString(); };
        const auto where = [&] { return path + u", line "_s + QString::number(table.recordLines.at(r)) + u": "_s; };
        if (fields.size() != header.size()) {
            record.problems.append(where()
                                   + u"%1 fields where the header has %2"_s.arg(fields.size()).arg(header.size()));
            continue;
        }
        ClassRecordRow row;
        row.markedAt = QDateTime::fromString(field(MarkedAt), Qt::ISODate);
        row.learner = field(Learner);
        row.sourcePath = QDir::fromNativeSeparators(field(Source));
        row.markedCopy = QDir::fromNativeSeparators(field(MarkedCopy));
        row.memoLanguage = field(Language);
        row.rounding = field(Rounding);
        row.verdict = field(Verdict);
        row.remarks = field(Remarks);
        const bool numbersOk = readNumber(field(Keystrokes), row.keystrokes)
            && readNumber(field(GrossWords), row.grossWords) && readNumber(field(WordsWithErrors), row.wordsWithErrors)
            && readNumber(field(Wpm), row.wpm) && readNumber(field(FinalResult), row.finalResult);
        if (!numbersOk || row.learner.isEmpty()) {
            record.problems.append(where() + (row.learner.isEmpty() ? u"no learner"_s : u"a number cannot be read"_s));
            continue;
        }
        record.rows.append(row);
    }
    return record;
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
