// Comma-separated values as RFC 4180 has them: fields with a comma, a quote or a line break are
// quoted, quotes inside doubled, records end in CR LF. What spreadsheets and school systems read.
// A field a spreadsheet would take for a formula (it begins with = + - @, a tab or a CR, as a
// learner's file name may) is written behind an apostrophe, which parseCsv takes off again.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tallimark {

QString csvField(const QString &value);
// The field as a spreadsheet must see it to show it as text, and back. A number such as -3 or +5
// stays as it is.
QString formulaGuarded(const QString &value);
QString formulaUnguarded(const QString &field);
// One record with its CR LF.
QString csvRecord(const QStringList &fields);
// A whole CSV file's bytes: UTF-8 behind a byte-order mark, without which Excel takes the text
// for the system's code page and shows "Zoë" as "ZoÃ«".
QByteArray csvFileBytes(const QString &csv);

struct CsvTable
{
    QList<QStringList> records;
    QList<int> recordLines; // the 1-based line each record starts on, for messages
    QString error;          // empty when the whole text was read
};

// Reads records until the end or the first malformed one (an unterminated quote, or text right
// after a closing quote); the records before it are kept. A UTF-8 byte-order mark is skipped.
// Fields come back as they were given to csvRecord, apostrophes of formulaGuarded taken off.
CsvTable parseCsv(const QString &text);

} // namespace tallimark
