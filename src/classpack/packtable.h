// The pack's tables: cells whose text wraps, so that a long name or verdict shows whole on any
// page size, and rows as tall as their tallest cell.
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

class QPainter;
class QPaintDevice;

namespace tallimark {

struct PackCell
{
    QString text;
    bool bold = false;
    QColor colour = Qt::black;
};

struct PackColumn
{
    qreal share = 0; // of the table's width
    bool number = false;
};

class PackTable
{
public:
    PackTable(QPaintDevice &device, const QFont &font, qreal width, const QList<PackColumn> &columns);

    qreal height(const QList<PackCell> &row) const;
    // Paints the row with its top at top; a heading row gets a rule beneath it.
    void paint(QPainter &painter, qreal top, const QList<PackCell> &row, bool heading = false) const;

private:
    QFont cellFont(const PackCell &cell) const;
    qreal textWidth(qsizetype column) const;

    QPaintDevice &m_device;
    QFont m_font;
    qreal m_width;
    QList<PackColumn> m_columns;
    qreal m_gap;     // between columns
    qreal m_padding; // above and below each row's text
};

} // namespace tallimark
