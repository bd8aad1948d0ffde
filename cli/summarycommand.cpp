// `tallimark-cli summary`: the class table and figures of a destination folder, as plain text,
// JSON Lines, CSV, an Excel workbook or the printable PDF pack.
#include "commands.h"
#include "subcommand.h"

#include "classpack/classdetails.h"
#include "classpack/classpack.h"
#include "marking/outputfile.h"
#include "marking/programfolder.h"
#include "records/classfigures.h"
#include "records/classrecord.h"
#include "records/classtable.h"
#include "records/classworkbook.h"
#include "records/csvformat.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>

namespace tallimark::cli {

using namespace Qt::StringLiterals;

namespace {

void complain(const QString &text)
{
    complainAs("summary", text);
}

// A folder as given, or else the destination of that name in Tallimark's own folder, where
// `mark` and the window make them.
QString destinationFolder(const QString &argument)
{
    if (QFileInfo(argument).isDir() || argument.contains(u'/'))
        return QFileInfo(argument).absoluteFilePath();
    const QString inProgramFolder = programFolder() + u'/' + argument;
    return QFileInfo(inProgramFolder).isDir() ? inProgramFolder : QFileInfo(argument).absoluteFilePath();
}

QString tableText(const QList<LearnerResult> &results)
{
    // Source and marked copy paths would make every row too wide for a terminal; JSON has them.
    QList<QStringList> rows{classTableHeader()};
    for (const LearnerResult &result : results)
        rows.append(classTableFields(result, u"."_s));
    QList<qsizetype> widths(ClassTableColumn::Count, 0);
    for (const QStringList &row : rows)
        for (int c = 0; c < ClassTableColumn::Count; ++c)
            widths[c] = std::max(widths[c], row.at(c).size());
    QString text;
    for (const QStringList &row : rows) {
        QString line;
        for (int c = 0; c < ClassTableColumn::Count; ++c) {
            const bool number = c >= ClassTableColumn::Keystrokes && c <= ClassTableColumn::Change;
            line += (number ? row.at(c).rightJustified(widths[c]) : row.at(c).leftJustified(widths[c])) + u"  "_s;
        }
        text += line.trimmed() + u'\n';
    }
    return text;
}

QString figuresText(const ClassFigures &figures)
{
    QString text;
    for (const auto &[label, value] : figureLines(figures, u"."_s))
        text += (label + u':').leftJustified(34) + value + u'\n';
    if (!figures.histogram.isEmpty()) {
        text += u"\nFinal results in bins of 5 wpm:\n"_s;
        for (const HistogramBin &bin : figures.histogram)
            text +=
                (QString::number(bin.from) + u'-' + QString::number(bin.from + HistogramBinWidth - 1)).rightJustified(9)
                + u"  "_s + QString(bin.count, u'#') + (bin.count ? u" "_s : QString()) + QString::number(bin.count)
                + u'\n';
    }
    return text;
}

template <typename T> QJsonValue optionalNumber(const std::optional<T> &value)
{
    return value ? QJsonValue(double(*value)) : QJsonValue();
}

QByteArray learnerJsonLine(const LearnerResult &result)
{
    const ClassRecordRow &row = result.current;
    const QJsonObject object{
        {u"markedAt"_s, recordTimeText(row.markedAt)},
        {u"learner"_s, row.learner},
        {u"source"_s, row.sourcePath},
        {u"markedCopy"_s, row.markedCopy},
        {u"memoLanguage"_s, row.memoLanguage},
        {u"keystrokes"_s, optionalNumber(row.keystrokes)},
        {u"grossWords"_s, optionalNumber(row.grossWords)},
        {u"wordsWithErrors"_s, optionalNumber(row.wordsWithErrors)},
        {u"wpm"_s, optionalNumber(row.wpm)},
        {u"finalResult"_s, optionalNumber(row.finalResult)},
        {u"rounding"_s, row.rounding ? roundingName(*row.rounding) : QString()},
        {u"verdict"_s, row.verdictText()},
        {u"remarks"_s, row.remarks},
        {u"previousResult"_s, optionalNumber(result.previousResult)},
        {u"change"_s, optionalNumber(result.change())},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QString detailsText(const ClassDetails &details)
{
    QString text;
    for (const auto &[label, value] : classDetailLines(details))
        if (!value.isEmpty())
            text += (label + u':').leftJustified(34) + value + u'\n';
    return text.isEmpty() ? text : text + u'\n';
}

bool writeText(const QString &path, const QByteArray &bytes)
{
    const QString failure = writeOutputFile(path, bytes);
    if (!failure.isEmpty())
        complain(failure);
    return failure.isEmpty();
}

} // namespace

int runSummary(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Prints the class table (each learner's current result) and the class figures of a destination folder, "
        "read from its Tallimark.csv. Exits with 1 when part of the record cannot be read (each part is named "
        "with its line) or an output cannot be written; outputs are written only over regular files or under "
        "new names."_s);
    parser.addHelpOption();
    const QCommandLineOption csv(u"csv"_s, u"Also write the class table as CSV to FILE."_s, u"FILE"_s);
    const QCommandLineOption pdf(
        u"pdf"_s, u"Also write the class pack (cover page, then each marked copy) as PDF to FILE."_s, u"FILE"_s);
    const QCommandLineOption json(u"json"_s,
                                  u"Print one JSON object per learner (JSON Lines) with every field of the "
                                  "record instead of the table."_s);
    const QCommandLineOption xlsx(u"xlsx"_s,
                                  u"Also write each learner's current row and the class figures as an Excel "
                                  "workbook to FILE (numbers as numbers and dates as dates in any locale)."_s,
                                  u"FILE"_s);
    parser.addOptions({csv, xlsx, pdf, json});
    // The class details, kept in the folder for the packs made after: each given one replaces the
    // one kept, an empty value clears it.
    const QList<QCommandLineOption> detailOptions{
        {u"school"_s, u"The school, for the class pack's cover (kept in the folder's Class details.json)."_s,
         u"TEXT"_s},
        {u"teacher"_s, u"The teacher (kept like --school)."_s, u"TEXT"_s},
        {u"class"_s, u"The grade and class, e.g. \"Grade 10 A\" (kept like --school)."_s, u"TEXT"_s},
        {u"subject"_s, u"The subject (kept like --school)."_s, u"TEXT"_s},
        {u"test-name"_s, u"The test's name (kept like --school)."_s, u"TEXT"_s},
        {u"test-date"_s, u"The date the test was written (kept like --school)."_s, u"TEXT"_s},
    };
    parser.addOptions(detailOptions);
    parser.addPositionalArgument(u"DEST"_s,
                                 u"The destination folder (a path, or a folder name in Tallimark's own folder)."_s);

    if (const std::optional<int> ended = parseSubcommand(parser, "summary", arguments))
        return *ended;
    if (parser.positionalArguments().size() != 1) {
        complain(u"give one DEST folder (see: tallimark-cli summary --help)"_s);
        return 2;
    }
    if (parser.isSet(xlsx) && !canWriteWorkbooks()) {
        complain(u"this build cannot write Excel workbooks (it was built without libxlsxwriter); use --csv"_s);
        return 2;
    }
    const QString folder = destinationFolder(parser.positionalArguments().first());
    if (!QFileInfo(folder).isDir()) {
        complain(u"no such folder: "_s + folder);
        return 1;
    }
    const ClassRecord record = readClassRecord(folder);
    if (!record.found) {
        complain(classRecordPath(folder) + u": no class record here (mark tests into this folder first)"_s);
        return 1;
    }
    // What could be read is shown; anything left out makes the run a failure, so that a script
    // never takes a smaller class for the whole one.
    for (const QString &problem : record.problems)
        complain(problem);
    if (!record.readable)
        return 1;

    bool ok = true;
    ClassDetailsRead details = readClassDetails(folder);
    bool detailsGiven = false;
    const auto fields = classDetailFields(details.details);
    for (qsizetype i = 0; i < detailOptions.size(); ++i) {
        if (parser.isSet(detailOptions.at(i))) {
            *fields.at(i).second = parser.value(detailOptions.at(i));
            detailsGiven = true;
        }
    }
    if (detailsGiven) {
        const QString failure = writeClassDetails(folder, details.details);
        if (failure.isEmpty()) {
            details = readClassDetails(folder); // as kept: trimmed and cut to length
        } else {
            complain(failure);
            ok = false;
        }
    } else if (!details.problem.isEmpty()) {
        complain(details.problem);
        ok = false;
    }

    const QList<LearnerResult> results = currentResults(record.rows);
    const ClassFigures figures = classFigures(results);
    if (parser.isSet(json)) {
        for (const LearnerResult &result : results)
            std::fputs((learnerJsonLine(result) + '\n').constData(), stdout);
    } else {
        const QString text = u"Class results: "_s + folder + u"\n\n"_s + detailsText(details.details)
            + tableText(results) + u'\n' + figuresText(figures);
        std::fputs(text.toUtf8().constData(), stdout);
    }

    if (parser.isSet(csv))
        ok = writeText(parser.value(csv), csvFileBytes(classTableCsv(results))) && ok;
    if (parser.isSet(xlsx)) {
        QList<ClassRecordRow> rows;
        for (const LearnerResult &result : results)
            rows.append(result.current);
        const QString failure = writeClassWorkbook(parser.value(xlsx), rows, figures);
        if (!failure.isEmpty())
            complain(failure);
        ok = failure.isEmpty() && ok;
    }
    if (parser.isSet(pdf)) {
        QStringList problems;
        const ClassPackContent content{QDir(folder).dirName(), results, figures, details.details};
        const QString failure = writeClassPackPdf(parser.value(pdf), content, problems);
        for (const QString &problem : problems)
            complain(u"warning: "_s + problem);
        if (!failure.isEmpty()) {
            complain(failure);
            ok = false;
        }
    }
    return ok && record.problems.isEmpty() ? 0 : 1;
}

} // namespace tallimark::cli
