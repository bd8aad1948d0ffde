#include "classresultsdata.h"

#include "records/classtable.h"

#include <QCoreApplication>
#include <QDir>

#include <limits>

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

QVariant sortKey(const LearnerResult &result, int column, const QString &shown)
{
    const ClassRecordRow &row = result.current;
    // Empty figures (rejected tests) sort below every number.
    const auto number = [](auto value) {
        return value ? QVariant(double(*value)) : QVariant(std::numeric_limits<double>::lowest());
    };
    switch (column) {
    case ClassTableColumn::MarkedAt:
        return double(row.markedAt.toMSecsSinceEpoch());
    case ClassTableColumn::Keystrokes:
        return number(row.keystrokes);
    case ClassTableColumn::GrossWords:
        return number(row.grossWords);
    case ClassTableColumn::WordsWithErrors:
        return number(row.wordsWithErrors);
    case ClassTableColumn::FinalResult:
        return number(row.finalResult);
    case ClassTableColumn::Change:
        return number(result.change());
    default:
        return shown.toLower();
    }
}

} // namespace

ClassResultsData readClassResults(const QString &destFolder, const QString &decimalPoint)
{
    ClassResultsData data;
    data.folder = destFolder;
    const ClassRecord record = readClassRecord(destFolder);
    data.notes = record.problems;
    if (!record.found)
        data.notes.append(QCoreApplication::translate("ClassResultsWindow",
                                                      "No class results in %1 yet: they are recorded as tests are "
                                                      "marked.")
                              .arg(QDir::toNativeSeparators(destFolder)));
    data.results = currentResults(record.rows);
    data.figures = classFigures(data.results);
    data.fields.reserve(data.results.size());
    data.sortKeys.reserve(data.results.size());
    for (const LearnerResult &result : std::as_const(data.results)) {
        QStringList fields = classTableFields(result, decimalPoint);
        QList<QVariant> keys;
        keys.reserve(fields.size());
        for (int column = 0; column < int(fields.size()); ++column)
            keys.append(sortKey(result, column, fields.at(column)));
        data.fields.append(std::move(fields));
        data.sortKeys.append(std::move(keys));
    }
    return data;
}

} // namespace tallimark
