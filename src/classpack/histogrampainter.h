// The histogram of final results, painted the same in the window and in the class pack.
#pragma once

#include "records/classfigures.h"

#include <QList>
#include <QRectF>

class QPainter;

namespace tallimark {

// Bars of the bins' counts with the bins' lower bounds beneath and the counts above, in the
// painter's current font; nothing but a note when there are no bins.
void paintHistogram(QPainter &painter, const QRectF &area, const QList<HistogramBin> &bins);

} // namespace tallimark
