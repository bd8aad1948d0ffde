#include "csvformat.h"

#include <QRegularExpression>

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

// What makes LibreOffice Calc or Excel evaluate a cell, as OWASP lists it.
bool startsFormula(QStringView text)
{
    static const QString starters = u"=+-@\t\r"_s;
    return !text.isEmpty() && starters.contains(text.front());
}

qsizetype leadingApostrophes(QStringView text)
{
    qsizetype count = 0;
    while (count < text.size() && text[count] == u'\'')
        ++count;
    return count;
}

} // namespace

// Apostrophes already in front of a formula get one more, so that taking one off always gives
// the original back: "'=1" is written "''=1", while "'t Hooft" needs none.
QString formulaGuarded(const QString &value)
{
    static const QRegularExpression signedNumber(u"^[+-][0-9]+([.,][0-9]+)?$"_s);
    const QStringView afterApostrophes = QStringView(value).sliced(leadingApostrophes(value));
    if (!startsFormula(afterApostrophes) || signedNumber.match(value).hasMatch())
        return value;
    return u'\'' + value;
}

QString formulaUnguarded(const QString &field)
{
    const qsizetype apostrophes = leadingApostrophes(field);
    if (apostrophes == 0 || !startsFormula(QStringView(field).sliced(apostrophes)))
        return field;
    return field.mid(1);
}

QString csvField(const QString &text)
{
    static const QString special = u",\"\r\n"_s;
    QString value = formulaGuarded(text);
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

QByteArray csvFileBytes(const QString &csv)
{
    return (QChar(QChar::ByteOrderMark) + csv).toUtf8();
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
            fields.append(formulaUnguarded(field));
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
