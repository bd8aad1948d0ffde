// Reading the class record back: the file may have been edited by hand, saved by a spreadsheet
// or damaged, and what cannot be read is named rather than shown as a smaller class.
#include "classrecord.h"

#include "documents/failure.h"
#include "documents/platformfile.h"

#include "classrecordcolumns.h"
#include "csvformat.h"

#include <QDir>
#include <QFileInfo>

namespace tallimark {

using namespace Qt::StringLiterals;
using namespace recordcolumns;

namespace {

// The first line whose bytes are not UTF-8, or 0.
int firstLineNotUtf8(const QByteArray &bytes)
{
    if (QByteArrayView(bytes).isValidUtf8())
        return 0;
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        if (!QByteArrayView(bytes).sliced(start, end - start).isValidUtf8())
            return line;
        ++line;
        start = end + 1;
    }
    return 0;
}

bool isUtf16(const QByteArray &bytes)
{
    // With a byte-order mark, or without one: then every other byte of ASCII text is 0.
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")
        || (bytes.size() >= 2 && (bytes.at(0) == 0 || bytes.at(1) == 0));
}

QString headerProblem(const QStringList &header)
{
    const QString learner = columns().at(Learner).name;
    for (const QChar separator : {u';', u'\t'}) {
        if (header.size() == 1 && header.first().split(separator).contains(learner)) {
            const QString shown = separator == u'\t' ? u"tabs"_s : u"\""_s + separator + u'"';
            return u"the fields are separated by "_s + shown
                + u" (as some spreadsheets save them); the class record separates them by commas"_s;
        }
    }
    return u"the first line is not the class record's header"_s;
}

// Only a ".rug" of the destination folder itself: the name the record gives, in that folder.
QString markedCopyIn(const QString &folder, const QString &named)
{
    const QString shown = QDir::fromNativeSeparators(named); // written with backslashes on Windows
    const QString name = shown.mid(shown.lastIndexOf(u'/') + 1);
    if (!name.endsWith(u".rug"_s, Qt::CaseInsensitive))
        return {};
    const QString copy = folder + u'/' + name;
    // Marking replaces a link by the copy itself; a link here was put by someone else.
    return QFileInfo(copy).isSymLink() ? QString() : copy;
}

} // namespace

ClassRecord parseClassRecord(const QByteArray &bytes, const QString &path)
{
    ClassRecord record;
    record.found = true;
    const auto at = [&](int line) { return path + u", line "_s + QString::number(line) + u": "_s; };
    if (isUtf16(bytes)) {
        record.problems.append(at(1) + u"the text is UTF-16; the class record is UTF-8 text"_s);
        return record;
    }
    if (const int line = firstLineNotUtf8(bytes))
        record.problems.append(at(line) + u"not UTF-8 text, as the class record is; names may be shown wrongly"_s);

    const CsvTable table = parseCsv(QString::fromUtf8(bytes));
    if (!table.error.isEmpty())
        record.problems.append(path + u", "_s + table.error);
    if (table.records.isEmpty()) {
        record.readable = table.error.isEmpty(); // an empty file is an empty class
        return record;
    }

    const QStringList header = table.records.first();
    QList<qsizetype> column(ColumnCount, -1);
    for (int c = 0; c < ColumnCount; ++c)
        column[c] = header.indexOf(columns().at(c).name);
    if (column[Learner] < 0 || column[FinalResult] < 0) {
        record.problems.append(at(table.recordLines.first()) + headerProblem(header));
        return record;
    }
    record.readable = true;
    const QString folder = QFileInfo(path).path();

    for (qsizetype r = 1; r < table.records.size(); ++r) {
        const QStringList &fields = table.records.at(r);
        if (fields.size() == 1 && fields.first().isEmpty())
            continue; // a blank line
        const int line = table.recordLines.at(r);
        if (fields.size() != header.size()) {
            record.problems.append(at(line)
                                   + u"%1 fields where the header has %2"_s.arg(fields.size()).arg(header.size()));
            continue;
        }
        const auto field = [&](Column c) { return column[c] >= 0 ? fields.value(column[c]) : QString(); };
        if (field(Learner).isEmpty()) {
            record.problems.append(at(line) + u"no learner"_s);
            continue;
        }
        ClassRecordRow row;
        for (int c = 0; c < ColumnCount; ++c) {
            const RecordColumn &described = columns().at(c);
            const std::optional<QVariant> value = cellValue(described.kind, field(Column(c)));
            if (value) {
                described.setValue(row, *value);
                continue;
            }
            record.problems.append(at(line).chopped(2) + u", column \""_s + described.name + u"\": \""_s
                                   + field(Column(c)).left(40) + u"\" is not a number from "_s
                                   + QString::number(-limitOf(described.kind)) + u" to "_s
                                   + QString::number(limitOf(described.kind)));
            if (c == FinalResult)
                row.resultUnreadable = true;
        }
        // A cell that names no rounding or verdict is left empty, and said.
        const auto unknownCell = [&](Column c, const QString &what) {
            record.problems.append(at(line).chopped(2) + u", column \""_s + columns().at(c).name + u"\": \""_s
                                   + field(c).left(40) + u"\" is not "_s + what);
        };
        if (!field(recordcolumns::Rounding).isEmpty() && !row.rounding)
            unknownCell(recordcolumns::Rounding, u"a rounding"_s);
        if (!field(recordcolumns::Verdict).isEmpty() && !row.verdict)
            unknownCell(recordcolumns::Verdict, u"a verdict"_s);

        const QString named = field(MarkedCopy);
        if (!named.isEmpty()) {
            row.markedCopy = markedCopyIn(folder, row.markedCopy);
            if (row.markedCopy.isEmpty())
                record.problems.append(at(line).chopped(2) + u", column \"Marked copy\": \""_s + named.left(200)
                                       + u"\" is not a marked copy (.rug) of this folder"_s);
        }
        record.rows.append(row);
    }
    return record;
}

ClassRecord readClassRecord(const QString &destFolder)
{
    ClassRecord record;
    const QString path = classRecordPath(destFolder);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return record;
    // Never a FIFO that would wait for a writer, nor a device such as /dev/zero without end.
    const platform::FileRead file = platform::readRegularFile(path, MaxClassRecordSize);
    QString refusal;
    if (file.error != 0)
        refusal = Failure::fromErrno(file.error, path).reason;
    else if (file.refusal == platform::Refusal::NotRegularFile)
        refusal = u"not a regular file"_s;
    else if (file.refusal == platform::Refusal::TooLarge)
        refusal = u"larger than 64 MB, too large for a class record"_s;
    if (!refusal.isEmpty()) {
        record.found = true;
        record.problems.append(path + u": "_s + refusal);
        return record;
    }
    return parseClassRecord(file.bytes, path);
}

} // namespace tallimark
