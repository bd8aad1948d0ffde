// The columns of the class record: each one's name, how its value is written and read back, and
// of what kind it is. The record's writer and reader, and the CSV and workbook exports, all go
// through this one table, so that a column is described once.
#pragma once

#include "classrecord.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <optional>

namespace tallimark::recordcolumns {

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

// What a cell holds: a workbook writes each kind as a cell of its type, the CSV as plain text
// that any locale's spreadsheet reads the same.
enum class Kind {
    Text,
    Path,     // text, written with the system's separators
    DateTime, // local time with its offset from UTC
    Count,    // a whole number from -CountLimit to CountLimit
    Number,   // a number from -ResultLimit to ResultLimit
};

struct RecordColumn
{
    QString name; // in the header, exactly
    Kind kind;
    // The row's value: a QString, QDateTime, qint64 or double; an invalid QVariant for an empty
    // cell (a rejected test has no figures).
    QVariant (*value)(const ClassRecordRow &row);
    // Puts a value read back (as value() gives it) into the row.
    void (*setValue)(ClassRecordRow &row, const QVariant &value);
};

// The columns in file order, indexed by Column.
const std::array<RecordColumn, ColumnCount> &columns();
QStringList headerNames();

// The cell's text in the record file.
QString cellText(Kind kind, const QVariant &value);
// The value of a cell's text; an invalid QVariant for an empty cell; nothing when the text is no
// value of that kind (a number out of range, or no number at all).
std::optional<QVariant> cellValue(Kind kind, const QString &text);
// The range a number of that kind must lie in, for messages.
qint64 limitOf(Kind kind);

} // namespace tallimark::recordcolumns
