#include "histogrampainter.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tallimark {

using namespace Qt::StringLiterals;

void paintHistogram(QPainter &painter, const QRectF &area, const QList<HistogramBin> &bins)
{
    painter.save();
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal line = metrics.height();
    if (bins.isEmpty()) {
        painter.drawText(area, Qt::AlignCenter, QCoreApplication::translate("Histogram", "No marked tests"));
        painter.restore();
        return;
    }
    int most = 1;
    for (const HistogramBin &bin : bins)
        most = std::max(most, bin.count);

    // Room for the counts above the bars and two lines of bin labels beneath.
    const QRectF bars(area.left(), area.top() + line, area.width(), area.height() - 3.2 * line);
    const qreal slot = bars.width() / qreal(bins.size());
    const qreal gap = std::min(slot * 0.15, line);
    // A wide spread of results gives many narrow bins: then only every so many is labelled, as
    // far apart as the widest label needs.
    const qreal widestLabel = std::max(metrics.horizontalAdvance(QString::number(bins.first().from)),
                                       metrics.horizontalAdvance(QString::number(bins.last().from)));
    const qsizetype labelEvery = std::max<qsizetype>(1, qsizetype(std::ceil((widestLabel + line / 2) / slot)));
    painter.setPen(Qt::NoPen);
    for (qsizetype i = 0; i < bins.size(); ++i) {
        const HistogramBin &bin = bins.at(i);
        const qreal height = bars.height() * bin.count / most;
        const QRectF bar(bars.left() + slot * qreal(i) + gap / 2, bars.bottom() - height, slot - gap, height);
        painter.setBrush(QColor(0x3b, 0x6e, 0xa8));
        painter.drawRect(bar);
        painter.setPen(Qt::black);
        const QString count = QString::number(bin.count);
        if (bin.count > 0 && metrics.horizontalAdvance(count) < slot)
            painter.drawText(QRectF(bar.left(), bar.top() - line, bar.width(), line), Qt::AlignCenter, count);
        const QString range =
            QString::number(bin.from) + u"\u2013"_s + QString::number(bin.from + HistogramBinWidth - 1);
        if (metrics.horizontalAdvance(range) < slot)
            painter.drawText(QRectF(bars.left() + slot * qreal(i), bars.bottom() + line * 0.1, slot, line),
                             Qt::AlignCenter, range);
        else if (i % labelEvery == 0)
            painter.drawText(QRectF(bars.left() + slot * qreal(i) - widestLabel, bars.bottom() + line * 0.1,
                                    slot + 2 * widestLabel, line),
                             Qt::AlignCenter, QString::number(bin.from));
        painter.setPen(Qt::NoPen);
    }
    painter.setPen(Qt::black);
    painter.drawLine(QPointF(bars.left(), bars.bottom()), QPointF(bars.right(), bars.bottom()));
    painter.drawText(QRectF(area.left(), area.bottom() - line * 1.1, area.width(), line), Qt::AlignCenter,
                     QCoreApplication::translate("Histogram", "Final result (wpm), learners per 5 wpm"));
    painter.restore();
}

} // namespace tallimark
