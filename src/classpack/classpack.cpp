#include "classpack.h"

#include "classtexts.h"
#include "histogrampainter.h"

#include "browser/richtextrender.h"
#include "documents/richdocument.h"
#include "marking/classtable.h"
#include "marking/outputfile.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

// The cover table leaves out the long columns; the marked copies carry the detail.
const QList<int> coverColumns{ClassTableColumn::Learner,     ClassTableColumn::MarkedAt, ClassTableColumn::MemoLanguage,
                              ClassTableColumn::FinalResult, ClassTableColumn::Change,   ClassTableColumn::Verdict};
const QList<qreal> coverWidths{0.24, 0.19, 0.13, 0.1, 0.1, 0.24};
// The pack's texts are in the interface's language; the command line has no translator and keeps
// them English.
const char *const coverHeadings[] = {
    QT_TRANSLATE_NOOP("ClassPack", "Learner"),  QT_TRANSLATE_NOOP("ClassPack", "Marked at"),
    QT_TRANSLATE_NOOP("ClassPack", "Language"), QT_TRANSLATE_NOOP("ClassPack", "Final"),
    QT_TRANSLATE_NOOP("ClassPack", "Change"),   QT_TRANSLATE_NOOP("ClassPack", "Verdict")};

class PackPainter
{
public:
    PackPainter(QPagedPaintDevice &device, QPainter &painter)
        : m_device(device), m_painter(painter), m_width(device.width()), m_height(device.height())
    { }

    qreal points(qreal value) const { return value * m_device.logicalDpiY() / 72.0; }

    QFont font(qreal pointSize, bool bold = false) const
    {
        QFont f(u"Sans Serif"_s);
        f.setPointSizeF(pointSize);
        f.setBold(bold);
        return f;
    }

    void cover(const ClassPackContent &content)
    {
        qreal y = 0;
        m_painter.setFont(font(18, true));
        y += line(QCoreApplication::translate("ClassPack", "Class results: %1").arg(content.className), y);
        m_painter.setFont(font(10));
        y += line(QCoreApplication::translate("ClassPack", "Printed %1")
                      .arg(QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm"_s)),
                  y)
            + points(10);

        const qreal labelWidth = points(190);
        for (const auto &[label, value] : figureLines(content.figures, QLocale().decimalPoint())) {
            m_painter.drawText(QRectF(0, y, labelWidth, points(14)), Qt::AlignLeft | Qt::AlignVCenter,
                               shownFigureLabel(label));
            m_painter.drawText(QRectF(labelWidth, y, m_width - labelWidth, points(14)),
                               Qt::AlignLeft | Qt::AlignVCenter, value);
            y += points(14);
        }
        y += points(10);
        m_painter.setFont(font(8));
        paintHistogram(m_painter, QRectF(0, y, m_width, points(130)), content.figures.histogram);
        y += points(140);
        table(content.results, y);
    }

    void learner(const LearnerResult &result, QStringList &problems)
    {
        const ClassRecordRow &row = result.current;
        RichDocument document;
        const Failure failure = document.loadFile(row.markedCopy);
        QTextDocument shown;
        shown.documentLayout()->setPaintDevice(&m_device);
        if (failure.failed()) {
            problems.append(row.markedCopy + u": "_s + failure.description);
            shown.setPlainText(QCoreApplication::translate("ClassPack", "The marked copy could not be read: %1")
                                   .arg(failure.description));
        } else {
            renderRichDocument(document, shown);
        }
        const qreal headerHeight = points(56);
        const qreal bodyHeight = m_height - headerHeight;
        shown.setPageSize(QSizeF(m_width, bodyHeight));
        shown.setDocumentMargin(0);
        const int pages = std::max(1, shown.pageCount());
        for (int page = 0; page < pages; ++page) {
            m_device.newPage();
            header(result, page);
            m_painter.save();
            m_painter.translate(0, headerHeight - page * bodyHeight);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = QRectF(0, page * bodyHeight, m_width, bodyHeight);
            m_painter.setClipRect(context.clip);
            shown.documentLayout()->draw(&m_painter, context);
            m_painter.restore();
        }
    }

private:
    qreal line(const QString &text, qreal y)
    {
        const qreal height = QFontMetricsF(m_painter.font(), &m_device).height();
        m_painter.drawText(QRectF(0, y, m_width, height), Qt::AlignLeft | Qt::AlignVCenter, text);
        return height;
    }

    void header(const LearnerResult &result, int page)
    {
        const ClassRecordRow &row = result.current;
        const QStringList fields = classTableFields(result, QLocale().decimalPoint());
        m_painter.setFont(font(14, true));
        line(page > 0 ? QCoreApplication::translate("ClassPack", "%1 (continued)").arg(row.learner) : row.learner, 0);
        m_painter.setFont(font(10));
        const QString summary = fields.at(ClassTableColumn::MarkedAt) + u"   "_s + row.memoLanguage + u"   "_s
            + QCoreApplication::translate("ClassPack", "Final result: %1 wpm")
                  .arg(fields.at(ClassTableColumn::FinalResult))
            + u"   "_s;
        line(summary, points(22));
        const qreal verdictX = QFontMetricsF(m_painter.font(), &m_device).horizontalAdvance(summary);
        verdictText(QRectF(verdictX, points(22), m_width - verdictX, points(14)), row.verdictText(),
                    row.isUnreliable());
        m_painter.drawLine(QPointF(0, points(44)), QPointF(m_width, points(44)));
    }

    void verdictText(const QRectF &rect, const QString &verdict, bool unreliable)
    {
        m_painter.save();
        if (unreliable) {
            m_painter.setPen(QColor(0xb0, 0, 0));
            QFont bold = m_painter.font();
            bold.setBold(true);
            m_painter.setFont(bold);
        }
        m_painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, verdict);
        m_painter.restore();
    }

    void table(const QList<LearnerResult> &results, qreal y)
    {
        const qreal rowHeight = points(15);
        m_painter.setFont(font(9));
        const auto cells = [&](const QStringList &fields, qreal top, bool heading, bool unreliable) {
            qreal x = 0;
            for (qsizetype c = 0; c < coverColumns.size(); ++c) {
                const QRectF cell(x, top, m_width * coverWidths.at(c) - points(4), rowHeight);
                const int column = coverColumns.at(c);
                const bool number = column == ClassTableColumn::FinalResult || column == ClassTableColumn::Change;
                const QString text =
                    heading ? QCoreApplication::translate("ClassPack", coverHeadings[c]) : fields.at(column);
                if (!heading && column == ClassTableColumn::Verdict)
                    verdictText(cell, text, unreliable);
                else
                    m_painter.drawText(
                        cell, (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                        QFontMetricsF(m_painter.font(), &m_device).elidedText(text, Qt::ElideRight, cell.width()));
                x += m_width * coverWidths.at(c);
            }
        };
        const auto heading = [&](qreal top) {
            QFont bold = m_painter.font();
            bold.setBold(true);
            m_painter.save();
            m_painter.setFont(bold);
            cells({}, top, true, false);
            m_painter.restore();
            m_painter.drawLine(QPointF(0, top + rowHeight), QPointF(m_width, top + rowHeight));
            return top + rowHeight + points(2);
        };
        y = heading(y);
        for (const LearnerResult &result : results) {
            if (y + rowHeight > m_height) {
                m_device.newPage();
                y = heading(0);
            }
            cells(classTableFields(result, QLocale().decimalPoint()), y, false, result.current.isUnreliable());
            y += rowHeight;
        }
    }

    QPagedPaintDevice &m_device;
    QPainter &m_painter;
    qreal m_width;
    qreal m_height;
};

} // namespace

QPageSize::PageSizeId packPageSize(const QLocale &locale)
{
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

void preparePackDevice(QPagedPaintDevice &device, const QLocale &locale)
{
    device.setPageSize(QPageSize(packPageSize(locale)));
    device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

bool paintClassPack(QPagedPaintDevice &device, const ClassPackContent &content, QStringList &problems)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PackPainter pack(device, painter);
    pack.cover(content);
    for (const LearnerResult &result : content.results) {
        if (!result.current.markedCopy.isEmpty())
            pack.learner(result, problems);
    }
    return painter.end();
}

QString writeClassPackPdf(const QString &pdfPath, const ClassPackContent &content, QStringList &problems)
{
    if (const QString refusal = outputRefusal(pdfPath); !refusal.isEmpty())
        return refusal;
    // Made in memory and written whole like any other output: never into a device or a FIFO,
    // never half a PDF over a good one.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(300);
        writer.setTitle(QCoreApplication::translate("ClassPack", "Class results: %1").arg(content.className));
        writer.setCreator(u"Tallimark"_s);
        preparePackDevice(writer, QLocale::system());
        if (!paintClassPack(writer, content, problems))
            return pdfPath + u": the PDF could not be made"_s;
    }
    return writeOutputFile(pdfPath, pdf.data());
}

} // namespace tallimark
