// Comma-separated values as RFC 4180 has them: fields with a comma, a quote or a line break are
// quoted, quotes inside doubled, records end in CR LF. What spreadsheets and school systems read.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tallimark {

QString csvField(const QString &value);
// One record with its CR LF.
QString csvRecord(const QStringList &fields);

struct CsvTable
{
    QList<QStringList> records;
    QList<int> recordLines; // the 1-based line each record starts on, for messages
    QString error;          // empty when the whole text was read
};

// Reads records until the end or the first malformed one (an unterminated quote, or text right
// after a closing quote); the records before it are kept. A UTF-8 byte-order mark is skipped.
CsvTable parseCsv(const QString &text);

} // namespace tallimark
