// The class results as an Excel workbook: typed cells, so that a spreadsheet in any locale takes
// results for numbers and "Marked at" for dates, which a CSV cannot promise (under South African
// locales Calc reads "54.4" as text).
#pragma once

#include "classfigures.h"
#include "classrecord.h"

#include <QList>
#include <QString>

namespace tallimark {

// Whether this build writes workbooks: it needs libxlsxwriter, which not every platform has.
bool canWriteWorkbooks();

// Writes the rows (the class record's columns, a row each) and the class figures as a workbook
// at path, through a new file renamed into place, and only over a regular file or under a new
// name. Empty on success, else "path: reason".
QString writeClassWorkbook(const QString &path, const QList<ClassRecordRow> &rows, const ClassFigures &figures);

} // namespace tallimark
