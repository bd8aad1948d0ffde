// The class record "Tallimark.csv": one row per test marked, rejected or not marked, appended beside
// "Resultaat.res" so that a class's results reach a spreadsheet or a school system without
// retyping. A learner's latest row is the current one.
#pragma once

#include "marking/roundingsetting.h"
#include "marking/verdict.h"

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
    QString markedCopy;   // the ".rug" written; empty for a test without a result
    QString memoLanguage; // "Afrikaans" or "English"; empty for a test without a result
    // Empty for a rejected or unmarked test, so that averages taken in a spreadsheet leave it out.
    std::optional<qint64> keystrokes;
    std::optional<qint64> grossWords;
    std::optional<qint64> wordsWithErrors;
    std::optional<double> wpm; // before rounding
    std::optional<double> finalResult;
    std::optional<Rounding> rounding;
    // Empty when the record's cell names no verdict.
    std::optional<Verdict> verdict;
    QString verdictDetail;
    QString remarks; // the layout remarks of the report, "; " between them; why a test was not marked
    // Read from a file whose "Final result" cell held no result: the learner counts in no figure.
    bool resultUnreadable = false;

    bool isMarked() const { return finalResult.has_value(); }
    bool isUnreliable() const { return verdict == Verdict::MayNotBeReliable; }
    // A test that got no result because it could not be read or its memo could not be used; the
    // remarks say why. Such a learner counts as not marked, apart from the rejected ones.
    bool isNotMarked() const { return verdict == Verdict::NotMarked || verdict == Verdict::Unreadable; }
    // The verdict as the record holds it and tables show it.
    QString verdictText() const { return verdict ? recordVerdict(*verdict, verdictDetail) : QString(); }
};

// No test of ten minutes comes near these; a cell beyond them is damaged and is left out.
constexpr double ResultLimit = 1000;   // words per minute, either side of 0
constexpr qint64 CountLimit = 1000000; // keystrokes and words
// Far more rows than a class ever gathers: a larger file is refused without reading it.
constexpr qint64 MaxClassRecordSize = qint64(64) * 1024 * 1024;

// The columns, in file order.
QStringList classRecordHeader();
QStringList classRecordFields(const ClassRecordRow &row);

// A time as the record writes it: the local time where it was taken, with its offset from UTC
// ("2026-12-07T05:06:54+02:00"), as the window and the pack show it. Records written before
// offsets were kept hold UTC with a "Z"; both read back.
QString recordTimeText(const QDateTime &time);

// The row for one test of a session. markedCopy is the ".rug" path (ignored for a rejected test).
ClassRecordRow classRecordRow(const TestOutcome &outcome, const QDateTime &markedAt, const QString &markedCopy,
                              Rounding rounding);
// The row for a test that got no result (Verdict::NotMarked), with the reason. markedCopy is the
// ".rug" path the test would have had, which names the learner as a marked test's row would.
ClassRecordRow notMarkedRow(const QString &testPath, const QString &reason, const QDateTime &markedAt,
                            const QString &markedCopy, Rounding rounding);

QString classRecordPath(const QString &destFolder);

// Appends the row (and, when the file is new or empty, a UTF-8 byte-order mark and the header,
// so that Excel reads names such as "Zoë" right) in one write. On failure the
// file is cut back to its old length, so it never holds part of a row.
[[nodiscard]] Failure appendClassRecord(const QString &destFolder, const ClassRecordRow &row);

struct ClassRecord
{
    QList<ClassRecordRow> rows; // in file order, the latest last
    QStringList problems;       // what could not be read, each naming the file, line (and column) and reason
    bool found = false;         // false when the folder has no class record
    bool readable = false;      // a regular file with the record's header: its rows are the class
};

// Reads the record of a destination folder: only a regular file, of at most MaxClassRecordSize
// bytes. Columns are found by their header names, so a file with columns added later still
// reads. Rows that cannot be read are left out, cells without a number in range are left empty;
// each is named in problems. A marked copy is looked for in destFolder under the name the record
// gives it, so that a folder moved elsewhere still finds its copies and a row edited to name any
// other file finds none.
ClassRecord readClassRecord(const QString &destFolder);

// The record from the file's bytes, as readClassRecord makes it of the file at path.
ClassRecord parseClassRecord(const QByteArray &bytes, const QString &path);

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
