// The figures of a class: how many tests were marked, rejected and not marked, and the spread of the final
// results of the learners' current rows.
#pragma once

#include "classrecord.h"

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace tallimark {

struct HistogramBin
{
    double from = 0; // the bin holds results from this value up to, not including, from + 5
    int count = 0;
};

struct ClassFigures
{
    int marked = 0;
    int rejected = 0;
    int notMarked = 0; // the test could not be read, or its memo could not be used
    // Over the marked learners; empty when none is marked.
    std::optional<double> mean;
    std::optional<double> median;
    std::optional<double> lowest;
    std::optional<double> highest;
    // The population standard deviation: the class is the whole group, not a sample of one.
    std::optional<double> standardDeviation;
    QList<HistogramBin> histogram; // every bin from the lowest result's to the highest's (at most 401)
};

constexpr double HistogramBinWidth = 5;

// Learners whose result could not be read, or lies beyond ResultLimit, count in no figure.
ClassFigures classFigures(const QList<LearnerResult> &results);

// The figures as label and value, in the order the window, the pack, the command line and the
// workbook show them: counts, then results in words per minute (empty when none is marked).
struct FigureValue
{
    QString label;
    std::optional<double> value;
    bool isCount = false;
};
QList<FigureValue> figureValues(const ClassFigures &figures);

// The same as texts: results with at most one decimal, in the given decimal separator.
QList<QPair<QString, QString>> figureLines(const ClassFigures &figures, const QString &decimalSeparator);

// A result or a change as shown in tables: at most one decimal; a change carries its sign.
QString resultText(double value, const QString &decimalSeparator);
QString changeText(double change, const QString &decimalSeparator);

} // namespace tallimark
