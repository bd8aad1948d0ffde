#include "packtable.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

namespace tallimark {

namespace {

QTextOption wrapping(bool number)
{
    QTextOption option((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    // A name without blanks wider than its column breaks inside rather than running over.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

qreal wrappedHeight(const QString &text, const QFont &font, qreal width, QPaintDevice &device)
{
    QTextLayout layout(text, font, &device);
    layout.setTextOption(wrapping(false));
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += line.height();
    }
    layout.endLayout();
    return height;
}

} // namespace

PackTable::PackTable(QPaintDevice &device, const QFont &font, qreal width, const QList<PackColumn> &columns)
    : m_device(device), m_font(font), m_width(width), m_columns(columns), m_gap(device.logicalDpiX() * 4 / 72.0),
      m_padding(device.logicalDpiY() * 1.5 / 72.0)
{ }

QFont PackTable::cellFont(const PackCell &cell) const
{
    QFont font = m_font;
    font.setBold(cell.bold);
    return font;
}

qreal PackTable::textWidth(qsizetype column) const
{
    return std::max<qreal>(1, m_width * m_columns.at(column).share - m_gap);
}

qreal PackTable::height(const QList<PackCell> &row) const
{
    qreal tallest = 0;
    for (qsizetype c = 0; c < m_columns.size() && c < row.size(); ++c)
        tallest = std::max(tallest, wrappedHeight(row.at(c).text, cellFont(row.at(c)), textWidth(c), m_device));
    return tallest + 2 * m_padding;
}

void PackTable::paint(QPainter &painter, qreal top, const QList<PackCell> &row, bool heading) const
{
    const qreal rowHeight = height(row);
    painter.save();
    qreal x = 0;
    for (qsizetype c = 0; c < m_columns.size() && c < row.size(); ++c) {
        const PackCell &cell = row.at(c);
        painter.setFont(cellFont(cell));
        painter.setPen(cell.colour);
        painter.drawText(QRectF(x, top + m_padding, textWidth(c), rowHeight), cell.text,
                         wrapping(m_columns.at(c).number));
        x += m_width * m_columns.at(c).share;
    }
    painter.restore();
    if (heading)
        painter.drawLine(QPointF(0, top + rowHeight), QPointF(m_width, top + rowHeight));
}

} // namespace tallimark
