// The checks the class-record fuzz target makes on every input, shared with the test that replays
// its corpus: whatever a Tallimark.csv holds, reading it ends, its figures stay within the results
// it holds, and the rows read are written again as they were read.
#pragma once

#include "records/classfigures.h"
#include "records/classrecord.h"
#include "records/classtable.h"
#include "records/csvformat.h"

#include <QByteArray>
#include <QString>

#include <cmath>

namespace tallimark {

inline QString figuresFailure(const ClassFigures &figures, qsizetype learners)
{
    if (figures.marked + figures.rejected > learners)
        return QStringLiteral("more tests counted than there are learners");
    int binned = 0;
    for (qsizetype i = 0; i < figures.histogram.size(); ++i) {
        binned += figures.histogram[i].count;
        if (i > 0 && figures.histogram[i].from != figures.histogram[i - 1].from + HistogramBinWidth)
            return QStringLiteral("the histogram's bins are not 5 wpm apart");
    }
    if (binned != figures.marked || figures.histogram.size() > qsizetype(2 * ResultLimit / HistogramBinWidth) + 1)
        return QStringLiteral("the histogram does not hold each marked result once");
    if (figures.marked == 0)
        return figures.mean ? QStringLiteral("a mean without marked tests") : QString();
    const double lowest = figures.lowest.value_or(NAN), highest = figures.highest.value_or(NAN);
    const double slack = 1e-9 * ResultLimit;
    const auto within = [&](std::optional<double> value) {
        return value && *value >= lowest - slack && *value <= highest + slack;
    };
    if (!(lowest >= -ResultLimit && highest <= ResultLimit) || !within(figures.mean) || !within(figures.median))
        return QStringLiteral("a figure lies outside the results");
    const double deviation = figures.standardDeviation.value_or(-1);
    if (!(deviation >= 0 && deviation <= highest - lowest + slack))
        return QStringLiteral("the standard deviation is not within the spread of the results");
    return {};
}

// What went wrong, or empty.
inline QString classRecordFailure(const QByteArray &bytes)
{
    const QString path = QStringLiteral("Tallimark.csv");
    const ClassRecord record = parseClassRecord(bytes, path);
    const QList<LearnerResult> results = currentResults(record.rows);
    const ClassFigures figures = classFigures(results);
    if (const QString failure = figuresFailure(figures, results.size()); !failure.isEmpty())
        return failure;
    (void)figureLines(figures, QStringLiteral("."));
    (void)classTableCsv(results);

    QString text = csvRecord(classRecordHeader());
    for (const ClassRecordRow &row : record.rows)
        text += csvRecord(classRecordFields(row));
    const ClassRecord again = parseClassRecord(text.toUtf8(), path);
    if (!again.problems.isEmpty())
        return QStringLiteral("the rows written again cannot be read: ") + again.problems.first();
    if (again.rows.size() != record.rows.size())
        return QStringLiteral("the rows written again are not as many");
    for (qsizetype r = 0; r < record.rows.size(); ++r) {
        if (classRecordFields(again.rows[r]) != classRecordFields(record.rows[r]))
            return QStringLiteral("row %1 written again reads differently: %2")
                .arg(r + 1)
                .arg(classRecordFields(record.rows[r]).join(QLatin1Char('|')));
    }
    return {};
}

} // namespace tallimark
