// A folder's class results read and prepared for the table: what takes the time (reading the
// class record, the figures, the shown texts and sort keys of every cell) is done here, on any
// thread, so that the window only has to show it.
#pragma once

#include "records/classfigures.h"
#include "records/classrecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace tallimark {

struct ClassResultsData
{
    QString folder;
    QStringList notes; // rows that could not be read, or that the folder has no record yet
    QList<LearnerResult> results;
    ClassFigures figures;
    QList<QStringList> fields;       // per learner, the shown text of each column
    QList<QList<QVariant>> sortKeys; // per learner and column: numbers as numbers, text without case
};

// Reads the folder's class record. Uses only QtCore, so it runs on a worker thread.
ClassResultsData readClassResults(const QString &destFolder, const QString &decimalPoint);

} // namespace tallimark
