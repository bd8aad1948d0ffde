// A one-line label for a path: it takes whatever width the layout gives it and, when the path
// is longer, shows its start and end with an ellipsis between; the whole path is its tooltip.
// text() always returns the whole path.
#pragma once

#include <QLabel>

namespace tallimark {

class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    // The shown text, shortened to the label's width.
    QString shownText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
};

} // namespace tallimark
