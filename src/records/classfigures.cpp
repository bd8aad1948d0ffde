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
        // neither as marked nor as rejected nor as not marked, and no figure or bin reaches out to it.
        if (result.current.resultUnreadable || (value && !(std::abs(*value) <= ResultLimit)))
            continue;
        if (value)
            values.append(*value);
        else if (result.current.isNotMarked())
            ++figures.notMarked;
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

QList<FigureValue> figureValues(const ClassFigures &figures)
{
    return {{u"Tests marked"_s, double(figures.marked), true},
            {u"Tests rejected"_s, double(figures.rejected), true},
            {u"Tests not marked"_s, double(figures.notMarked), true},
            {u"Mean"_s, figures.mean},
            {u"Median"_s, figures.median},
            {u"Lowest"_s, figures.lowest},
            {u"Highest"_s, figures.highest},
            {u"Standard deviation (population)"_s, figures.standardDeviation}};
}

QList<QPair<QString, QString>> figureLines(const ClassFigures &figures, const QString &decimalSeparator)
{
    QList<QPair<QString, QString>> lines;
    for (const FigureValue &figure : figureValues(figures)) {
        QString shown = u"-"_s;
        if (figure.isCount)
            shown = QString::number(qint64(figure.value.value_or(0)));
        else if (figure.value)
            shown = resultText(*figure.value, decimalSeparator) + u" wpm"_s;
        lines.append({figure.label, shown});
    }
    return lines;
}

} // namespace tallimark
