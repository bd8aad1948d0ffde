#include "classfigures.h"

#include <algorithm>
#include <cmath>

namespace tallimark {

using namespace Qt::StringLiterals;

ClassFigures classFigures(const QList<LearnerResult> &results)
{
    ClassFigures figures;
    QList<double> values;
    for (const LearnerResult &result : results) {
        const std::optional<double> &value = result.current.finalResult;
        // A result the record held no number for, or one no test can have, counts nowhere:
        // neither as marked nor as rejected, and no figure or bin reaches out to it.
        if (result.current.resultUnreadable || (value && !(std::abs(*value) <= ResultLimit)))
            continue;
        if (value)
            values.append(*value);
        else
            ++figures.rejected;
    }
    figures.marked = int(values.size());
    if (values.isEmpty())
        return figures;

    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    double sum = 0;
    for (const double v : values)
        sum += v;
    const double mean = sum / double(n);
    double squares = 0;
    for (const double v : values)
        squares += (v - mean) * (v - mean);
    figures.mean = mean;
    figures.median = n % 2 == 1 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
    figures.lowest = values.first();
    figures.highest = values.last();
    figures.standardDeviation = std::sqrt(squares / double(n));

    // Bins counted by number, so that their count is known before any is made.
    const auto binOf = [](double v) { return qint64(std::floor(v / HistogramBinWidth)); };
    const qint64 firstBin = binOf(values.first());
    figures.histogram.resize(binOf(values.last()) - firstBin + 1);
    for (qsizetype i = 0; i < figures.histogram.size(); ++i)
        figures.histogram[i].from = double(firstBin + i) * HistogramBinWidth;
    for (const double v : values)
        ++figures.histogram[binOf(v) - firstBin].count;
    return figures;
}

QString resultText(double value, const QString &decimalSeparator)
{
    // Results are whole or in tenths; figures such as a mean are shown to one decimal.
    const double tenths = std::nearbyint(value * 10) / 10;
    QString text = QString::number(tenths, 'f', tenths == std::trunc(tenths) ? 0 : 1);
    if (text == u"-0"_s)
        text = u"0"_s;
    return text.replace(u'.', decimalSeparator);
}

QString changeText(double change, const QString &decimalSeparator)
{
    const QString text = resultText(change, decimalSeparator);
    return change > 0 && text != u"0"_s ? u'+' + text : text;
}

QList<QPair<QString, QString>> figureLines(const ClassFigures &figures, const QString &decimalSeparator)
{
    const auto value = [&](const std::optional<double> &figure) {
        return figure ? resultText(*figure, decimalSeparator) + u" wpm"_s : u"-"_s;
    };
    return {{u"Tests marked"_s, QString::number(figures.marked)},
            {u"Tests rejected"_s, QString::number(figures.rejected)},
            {u"Mean"_s, value(figures.mean)},
            {u"Median"_s, value(figures.median)},
            {u"Lowest"_s, value(figures.lowest)},
            {u"Highest"_s, value(figures.highest)},
            {u"Standard deviation (population)"_s, value(figures.standardDeviation)}};
}

} // namespace tallimark
