#include "csvformat.h"

namespace tallimark {

using namespace Qt::StringLiterals;

QString csvField(const QString &value)
{
    static const QString special = u",\"\r\n"_s;
    bool needsQuotes = false;
    for (const QChar c : value)
        needsQuotes = needsQuotes || special.contains(c);
    if (!needsQuotes)
        return value;
    QString quoted = value;
    quoted.replace(u'"', u"\"\""_s);
    return u'"' + quoted + u'"';
}

QString csvRecord(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &field : fields)
        quoted.append(csvField(field));
    return quoted.join(u',') + u"\r\n"_s;
}

CsvTable parseCsv(const QString &text)
{
    CsvTable table;
    qsizetype i = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    const qsizetype n = text.size();
    int line = 1;
    while (i < n) {
        const int recordLine = line;
        QStringList fields;
        QString field;
        bool recordDone = false;
        while (!recordDone) {
            if (i < n && text.at(i) == u'"') {
                ++i;
                for (;;) {
                    if (i >= n) {
                        table.error = u"line %1: a quoted field is not closed"_s.arg(recordLine);
                        return table;
                    }
                    const QChar c = text.at(i++);
                    if (c == u'"') {
                        if (i < n && text.at(i) == u'"') {
                            field += u'"';
                            ++i;
                            continue;
                        }
                        break;
                    }
                    if (c == u'\n')
                        ++line;
                    field += c;
                }
                if (i < n && text.at(i) != u',' && text.at(i) != u'\r' && text.at(i) != u'\n') {
                    table.error = u"line %1: text after a closing quote"_s.arg(line);
                    return table;
                }
            } else {
                while (i < n && text.at(i) != u',' && text.at(i) != u'\r' && text.at(i) != u'\n')
                    field += text.at(i++);
            }
            fields.append(field);
            field.clear();
            if (i < n && text.at(i) == u',') {
                ++i;
                continue;
            }
            // End of record: CR LF, a lone LF or CR, or the end of the text.
            if (i < n && text.at(i) == u'\r')
                ++i;
            if (i < n && text.at(i) == u'\n')
                ++i;
            ++line;
            recordDone = true;
        }
        table.records.append(fields);
        table.recordLines.append(recordLine);
    }
    return table;
}

} // namespace tallimark
