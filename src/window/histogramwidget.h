// The histogram of the class's final results, for the class results window.
#pragma once

#include "records/classfigures.h"

#include <QWidget>

namespace tallimark {

class HistogramWidget : public QWidget
{
    Q_OBJECT

public:
    explicit HistogramWidget(QWidget *parent = nullptr);

    void setBins(const QList<HistogramBin> &bins);
    const QList<HistogramBin> &bins() const { return m_bins; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<HistogramBin> m_bins;
};

} // namespace tallimark
