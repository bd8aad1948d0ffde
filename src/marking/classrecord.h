// The class record "Tallimark.csv": one row per marked or rejected test, appended beside
// "Resultaat.res" so that a class's results reach a spreadsheet or a school system without
// retyping. A learner's latest row is the current one.
#pragma once

#include "documents/failure.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tallimark {

struct TestOutcome;

inline const QString ClassRecordFileName = QStringLiteral("Tallimark.csv");

struct ClassRecordRow
{
    QDateTime markedAt;
    QString learner;      // the test's file name without ".rtf"
    QString sourcePath;   // where the test was taken from
    QString markedCopy;   // the ".rug" written; empty for a rejected test
    QString memoLanguage; // "Afrikaans" or "English"; empty for a rejected test
    // Empty for a rejected test, so that averages taken in a spreadsheet leave it out.
    std::optional<qint64> keystrokes;
    std::optional<qint64> grossWords;
    std::optional<qint64> wordsWithErrors;
    std::optional<double> wpm; // before rounding
    std::optional<double> finalResult;
    QString rounding; // "integer" or "multiple of 5"
    QString verdict;  // the report box's verdict without its dots, e.g. "Result may not be reliable"
    QString remarks;  // the layout remarks of the report, "; " between them

    bool isMarked() const { return finalResult.has_value(); }
};

// The columns, in file order.
QStringList classRecordHeader();
QStringList classRecordFields(const ClassRecordRow &row);

// The row for one test of a session. markedCopy is the ".rug" path (ignored for a rejected test).
ClassRecordRow classRecordRow(const TestOutcome &outcome, const QDateTime &markedAt, const QString &markedCopy,
                              bool resultAsInteger);

QString classRecordPath(const QString &destFolder);

// Appends the row (and the header when the file is new or empty) in one write. On failure the
// file is cut back to its old length, so it never holds part of a row.
[[nodiscard]] Failure appendClassRecord(const QString &destFolder, const ClassRecordRow &row);

struct ClassRecord
{
    QList<ClassRecordRow> rows; // in file order, the latest last
    QStringList problems;       // rows that could not be read, each naming the file, line and reason
    bool found = false;         // false when the folder has no class record
};

// Reads the record of a destination folder. Columns are found by their header names, so a file
// with columns added later still reads; unreadable rows are left out and named in problems.
ClassRecord readClassRecord(const QString &destFolder);

// One learner's current row with the final result marked before it, if any.
struct LearnerResult
{
    ClassRecordRow current;
    std::optional<double> previousResult;

    std::optional<double> change() const;
};

// The current row of every learner, ordered by learner name (case ignored).
QList<LearnerResult> currentResults(const QList<ClassRecordRow> &rows);

} // namespace tallimark
