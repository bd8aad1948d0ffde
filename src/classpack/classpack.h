// The class pack: a cover page with the class details, a line for the moderator's signature,
// the class figures, the histogram and the table; a page of the tests not marked or rejected and
// why; then each learner's marked copy on pages of its own. Every page has a running header (the
// class, the test and its date, the memo) and its number. One painting for the printer and for
// PDF, so that both come out the same.
#pragma once

#include "classdetails.h"

#include "records/classfigures.h"
#include "records/classrecord.h"

#include <QPageSize>
#include <QString>
#include <QStringList>

class QLocale;
class QPagedPaintDevice;

namespace tallimark {

struct ClassPackContent
{
    QString className;            // the destination folder's name
    QList<LearnerResult> results; // in the order they are printed
    ClassFigures figures;
    ClassDetails details; // what the teacher entered for the folder, printed on the cover
};

// Letter where the locale measures in US units, A4 everywhere else.
QPageSize::PageSizeId packPageSize(const QLocale &locale);

// Sets the page size and margins the pack is laid out for (a printer dialog may change them).
void preparePackDevice(QPagedPaintDevice &device, const QLocale &locale);

// Paints the pack on a device prepared as above. Marked copies that cannot be read get a page
// that says so; their files and reasons are added to problems. False when painting could not start.
bool paintClassPack(QPagedPaintDevice &device, const ClassPackContent &content, QStringList &problems);

// Writes the pack as one PDF; an empty result means success, otherwise the file and the reason.
QString writeClassPackPdf(const QString &pdfPath, const ClassPackContent &content, QStringList &problems);

} // namespace tallimark
