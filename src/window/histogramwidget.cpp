#include "histogramwidget.h"

#include "classpack/histogrampainter.h"

#include <QPainter>

namespace tallimark {

HistogramWidget::HistogramWidget(QWidget *parent) : QWidget(parent)
{
    setMinimumHeight(fontMetrics().height() * 8);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void HistogramWidget::setBins(const QList<HistogramBin> &bins)
{
    m_bins = bins;
    update();
}

QSize HistogramWidget::sizeHint() const
{
    return {fontMetrics().averageCharWidth() * 60, fontMetrics().height() * 10};
}

void HistogramWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    paintHistogram(painter, QRectF(rect()).adjusted(4, 2, -4, -2), m_bins);
}

} // namespace tallimark
