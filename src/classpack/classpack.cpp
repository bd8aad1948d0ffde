#include "classpack.h"

#include "classtexts.h"
#include "histogrampainter.h"
#include "packtable.h"
#include "unmarkedtests.h"

#include "documents/richdocument.h"
#include "marking/outputfile.h"
#include "records/classtable.h"
#include "rendering/richtextrender.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include <algorithm>
#include <functional>
#include <memory>

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

// The cover table leaves out the long columns; the marked copies carry the detail.
const QList<int> coverColumns{ClassTableColumn::Learner,     ClassTableColumn::MarkedAt, ClassTableColumn::MemoLanguage,
                              ClassTableColumn::FinalResult, ClassTableColumn::Change,   ClassTableColumn::Verdict};
const QList<PackColumn> coverLayout{{0.24, false}, {0.18, false}, {0.12, false},
                                    {0.09, true},  {0.09, true},  {0.28, false}};
// The pack's texts are in the interface's language; the command line has no translator and keeps
// them English.
const char *const coverHeadings[] = {
    QT_TRANSLATE_NOOP("ClassPack", "Learner"),  QT_TRANSLATE_NOOP("ClassPack", "Marked at"),
    QT_TRANSLATE_NOOP("ClassPack", "Language"), QT_TRANSLATE_NOOP("ClassPack", "Final"),
    QT_TRANSLATE_NOOP("ClassPack", "Change"),   QT_TRANSLATE_NOOP("ClassPack", "Verdict")};
const QList<PackColumn> unmarkedLayout{{0.3, false}, {0.2, false}, {0.5, false}};

// What the running header names the memo by: the languages of the memos the class was marked
// against.
QString memoLanguages(const QList<LearnerResult> &results)
{
    QStringList languages;
    for (const LearnerResult &result : results) {
        const QString &language = result.current.memoLanguage;
        if (!language.isEmpty() && !languages.contains(language))
            languages.append(language);
    }
    languages.sort();
    return languages.join(u", "_s);
}

// The test's date as the teacher gave it, else the days the tests were marked.
QString testDate(const ClassPackContent &content)
{
    if (!content.details.testDate.isEmpty())
        return content.details.testDate;
    QDate first, last;
    for (const LearnerResult &result : content.results) {
        const QDate day = result.current.markedAt.toLocalTime().date();
        if (!day.isValid())
            continue;
        first = first.isValid() ? std::min(first, day) : day;
        last = last.isValid() ? std::max(last, day) : day;
    }
    if (!first.isValid())
        return {};
    const QString from = first.toString(Qt::ISODate);
    return first == last ? from : from + u" \u2013 "_s + last.toString(Qt::ISODate);
}

// Pictures no wider than the text and no taller than a page, so that none is cut off. The box is
// in the device's units; a picture's size is in pixels of 96 to the inch.
void fitPictures(QTextDocument &document, const QSizeF &box, qreal dpi)
{
    const qreal pixels = 96 / dpi;
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            QTextImageFormat format = fragment.fragment().charFormat().toImageFormat();
            if (!format.isValid() || format.width() <= 0 || format.height() <= 0)
                continue;
            const QTextBlockFormat paragraph = block.blockFormat();
            const qreal room = box.width() - paragraph.leftMargin() - paragraph.rightMargin()
                - std::max<qreal>(0, paragraph.textIndent());
            const qreal scale = std::min({1.0, std::max<qreal>(room, 1) * pixels / format.width(),
                                          box.height() * 0.9 * pixels / format.height()});
            if (scale >= 1)
                continue;
            format.setWidth(format.width() * scale);
            format.setHeight(format.height() * scale);
            cursor.setPosition(fragment.fragment().position());
            cursor.setPosition(fragment.fragment().position() + fragment.fragment().length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

class PackPainter
{
public:
    PackPainter(QPagedPaintDevice &device, const ClassPackContent &content)
        : m_device(device), m_content(content), m_width(device.width()), m_headerBand(points(24)),
          m_footerBand(points(20)), m_bodyHeight(device.height() - m_headerBand - m_footerBand)
    { }

    qreal points(qreal value) const { return value * m_device.logicalDpiY() / 72.0; }

    QFont font(qreal pointSize, bool bold = false) const
    {
        QFont f(u"Sans Serif"_s);
        f.setPointSizeF(pointSize);
        f.setBold(bold);
        // Without shaping no ligatures are formed, so the PDF's text reads back as typed ("fi",
        // not one "ﬁ" glyph) when a moderator searches or copies it.
        f.setStyleStrategy(QFont::PreferNoShaping);
        return f;
    }

    void planCover()
    {
        qreal y = 0;
        // Each part below the last, on a new page when the page is full (long class details).
        const auto place = [&](qreal height, const std::function<void(QPainter &, qreal)> &paint) {
            if (y > 0 && y + height > m_bodyHeight) {
                m_pages.emplace_back();
                y = 0;
            }
            const qreal top = y;
            addToPage([paint, top](QPainter &painter) { paint(painter, top); });
            y += height;
        };
        m_pages.emplace_back();

        const QFont title = font(18, true);
        const QFont normal = font(10);
        const QString heading = QCoreApplication::translate("ClassPack", "Class results: %1").arg(m_content.className);
        place(lineHeight(title), [this, title, heading](QPainter &painter, qreal top) {
            painter.setFont(title);
            painter.drawText(QRectF(0, top, m_width, lineHeight(title)), Qt::AlignLeft | Qt::AlignVCenter, heading);
        });
        const QString printed = QCoreApplication::translate("ClassPack", "Printed %1")
                                    .arg(QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm"_s));
        place(lineHeight(normal) + points(8), [this, normal, printed](QPainter &painter, qreal top) {
            painter.setFont(normal);
            painter.drawText(QRectF(0, top, m_width, lineHeight(normal)), Qt::AlignLeft | Qt::AlignVCenter, printed);
        });

        // The details and the figures as label and value; a long value wraps.
        const PackTable labelled(m_device, normal, m_width, {{0.34, false}, {0.66, false}});
        const auto labelledLine = [&](const QString &label, const QString &value) {
            const QList<PackCell> row{{label}, {value}};
            place(labelled.height(row),
                  [labelled, row](QPainter &painter, qreal top) { labelled.paint(painter, top, row); });
        };
        for (const auto &[label, value] : classDetailLines(m_content.details)) {
            if (!value.isEmpty())
                labelledLine(shownClassDetailLabel(label), value);
        }
        y += points(6);
        place(points(44), [this, normal](QPainter &painter, qreal top) { signatureLines(painter, top, normal); });
        for (const auto &[label, value] : figureLines(m_content.figures, QLocale().decimalPoint()))
            labelledLine(shownFigureLabel(label), value);
        y += points(8);
        const QFont small = font(8);
        place(points(140), [this, small](QPainter &painter, qreal top) {
            painter.setFont(small);
            paintHistogram(painter, QRectF(0, top, m_width, points(130)), m_content.figures.histogram);
        });

        QList<PackCell> headings;
        for (const char *text : coverHeadings)
            headings.append({QCoreApplication::translate("ClassPack", text), true});
        QList<QList<PackCell>> rows;
        for (const LearnerResult &result : m_content.results) {
            const QStringList fields = classTableFields(result, QLocale().decimalPoint());
            QList<PackCell> row;
            for (const int column : coverColumns) {
                PackCell cell{fields.at(column)};
                if (column == ClassTableColumn::Verdict && result.current.isUnreliable()) {
                    cell.bold = true;
                    cell.colour = QColor(0xb0, 0, 0);
                }
                row.append(cell);
            }
            rows.append(row);
        }
        table(font(9), coverLayout, headings, rows, y);
    }

    // The tests that have no result, with why, on a page of their own.
    void planUnmarked()
    {
        QList<QList<PackCell>> rows;
        for (const LearnerResult &result : m_content.results) {
            const ClassRecordRow &row = result.current;
            if (isUnmarkedTest(row))
                rows.append({{row.learner},
                             {classTableFields(result, QLocale().decimalPoint()).at(ClassTableColumn::MarkedAt)},
                             {unmarkedReason(row)}});
        }
        if (rows.isEmpty())
            return;
        m_pages.emplace_back();
        const QFont title = font(14, true);
        const QString heading = QCoreApplication::translate("ClassPack", "Tests not marked or rejected");
        addToPage([this, title, heading](QPainter &painter) {
            painter.setFont(title);
            painter.drawText(QRectF(0, 0, m_width, lineHeight(title)), Qt::AlignLeft | Qt::AlignVCenter, heading);
        });
        const QList<PackCell> headings{{QCoreApplication::translate("ClassPack", "Learner"), true},
                                       {QCoreApplication::translate("ClassPack", "Marked at"), true},
                                       {QCoreApplication::translate("ClassPack", "Why"), true}};
        table(font(10), unmarkedLayout, headings, rows, lineHeight(title) + points(8));
    }

    void planLearner(const LearnerResult &result, QStringList &problems)
    {
        const ClassRecordRow &row = result.current;
        RichDocument document;
        const Failure failure = document.loadFile(row.markedCopy);
        auto shown = std::make_shared<QTextDocument>();
        shown->documentLayout()->setPaintDevice(&m_device);
        QFont body = shown->defaultFont();
        body.setStyleStrategy(QFont::PreferNoShaping); // as font() says
        shown->setDefaultFont(body);
        if (failure.failed()) {
            problems.append(row.markedCopy + u": "_s + failure.description);
            shown->setPlainText(QCoreApplication::translate("ClassPack", "The marked copy could not be read: %1")
                                    .arg(failure.description));
        } else {
            renderRichDocument(document, *shown);
        }
        const qreal headerHeight = points(50);
        const qreal bodyHeight = m_bodyHeight - headerHeight;
        shown->setPageSize(QSizeF(m_width, bodyHeight));
        shown->setDocumentMargin(0);
        fitPictures(*shown, QSizeF(m_width, bodyHeight), m_device.logicalDpiY());
        const int pages = std::max(1, shown->pageCount());
        for (int page = 0; page < pages; ++page) {
            m_pages.emplace_back();
            addToPage([this, result, page, shown, headerHeight, bodyHeight](QPainter &painter) {
                learnerHeader(painter, result, page);
                painter.save();
                painter.translate(0, headerHeight - page * bodyHeight);
                QAbstractTextDocumentLayout::PaintContext context;
                context.clip = QRectF(0, page * bodyHeight, m_width, bodyHeight);
                painter.setClipRect(context.clip);
                shown->documentLayout()->draw(&painter, context);
                painter.restore();
            });
        }
    }

    bool paint()
    {
        QPainter painter;
        if (!painter.begin(&m_device))
            return false;
        const QString running = runningHeader();
        const QString memo = memoLanguages(m_content.results);
        const QString memoText =
            memo.isEmpty() ? QString() : QCoreApplication::translate("ClassPack", "Memo: %1").arg(memo);
        const QFont small = font(8);
        for (qsizetype i = 0; i < m_pages.size(); ++i) {
            if (i > 0)
                m_device.newPage();
            painter.setFont(small);
            painter.setPen(QColor(0x50, 0x50, 0x50));
            const QRectF band(0, 0, m_width, lineHeight(small));
            const qreal memoWidth = QFontMetricsF(small, &m_device).horizontalAdvance(memoText);
            painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter, memoText);
            painter.drawText(
                band.adjusted(0, 0, -memoWidth - points(12), 0), Qt::AlignLeft | Qt::AlignVCenter,
                QFontMetricsF(small, &m_device).elidedText(running, Qt::ElideRight, m_width - memoWidth - points(12)));
            painter.drawLine(QPointF(0, band.bottom() + points(3)), QPointF(m_width, band.bottom() + points(3)));
            painter.drawText(QRectF(0, m_device.height() - lineHeight(small), m_width, lineHeight(small)),
                             Qt::AlignHCenter | Qt::AlignVCenter,
                             QCoreApplication::translate("ClassPack", "Page %1 of %2").arg(i + 1).arg(m_pages.size()));
            painter.setPen(Qt::black);
            painter.save();
            painter.translate(0, m_headerBand);
            for (const auto &part : std::as_const(m_pages[i]))
                part(painter);
            painter.restore();
            // What is painted is let go: a long class keeps only the pages still to come.
            m_pages[i].clear();
        }
        return painter.end();
    }

private:
    qreal lineHeight(const QFont &font) const { return QFontMetricsF(font, &m_device).height(); }

    void addToPage(std::function<void(QPainter &)> part) { m_pages.last().append(std::move(part)); }

    QString runningHeader() const
    {
        const ClassDetails &details = m_content.details;
        QStringList parts{details.gradeAndClass.isEmpty() ? m_content.className : details.gradeAndClass};
        for (const QString &part : {details.subject, details.testName, testDate(m_content)})
            if (!part.isEmpty())
                parts.append(part);
        return parts.join(u"  \u00b7  "_s);
    }

    // Lines for the moderator to sign the pack on, below the class details.
    void signatureLines(QPainter &painter, qreal top, const QFont &font) const
    {
        painter.setFont(font);
        const QList<QPair<QString, qreal>> fields{
            {QCoreApplication::translate("ClassPack", "Moderator"), 0.36},
            {QCoreApplication::translate("ClassPack", "Moderator's signature"), 0.4},
            {QCoreApplication::translate("ClassPack", "Date"), 0.24}};
        const qreal lineY = top + points(20);
        qreal x = 0;
        for (const auto &[label, share] : fields) {
            const qreal width = m_width * share - points(10);
            painter.drawLine(QPointF(x, lineY), QPointF(x + width, lineY));
            painter.drawText(QRectF(x, lineY + points(1), width, points(12)), Qt::AlignLeft | Qt::AlignTop, label);
            x += m_width * share;
        }
    }

    // A table from y on, going on to as many pages as it needs with its headings again on each.
    void table(const QFont &font, const QList<PackColumn> &layout, const QList<PackCell> &headings,
               const QList<QList<PackCell>> &rows, qreal y)
    {
        const PackTable table(m_device, font, m_width, layout);
        const qreal headingHeight = table.height(headings);
        const auto heading = [&] {
            const qreal top = y;
            addToPage([table, headings, top](QPainter &painter) { table.paint(painter, top, headings, true); });
            y += headingHeight + points(2);
        };
        if (!rows.isEmpty() && y + headingHeight + points(2) + table.height(rows.first()) > m_bodyHeight) {
            m_pages.emplace_back();
            y = 0;
        }
        heading();
        for (const QList<PackCell> &row : rows) {
            const qreal height = table.height(row);
            if (y + height > m_bodyHeight) {
                m_pages.emplace_back();
                y = 0;
                heading();
            }
            const qreal top = y;
            addToPage([table, row, top](QPainter &painter) { table.paint(painter, top, row); });
            y += height;
        }
    }

    void learnerHeader(QPainter &painter, const LearnerResult &result, int page) const
    {
        const ClassRecordRow &row = result.current;
        const QStringList fields = classTableFields(result, QLocale().decimalPoint());
        const QFont title = font(14, true);
        painter.setFont(title);
        painter.drawText(QRectF(0, 0, m_width, lineHeight(title)), Qt::AlignLeft | Qt::AlignVCenter,
                         page > 0 ? QCoreApplication::translate("ClassPack", "%1 (continued)").arg(row.learner)
                                  : row.learner);
        const QFont normal = font(10);
        const QString summary = fields.at(ClassTableColumn::MarkedAt) + u"   "_s + row.memoLanguage + u"   "_s
            + QCoreApplication::translate("ClassPack", "Final result: %1 wpm")
                  .arg(fields.at(ClassTableColumn::FinalResult));
        const PackTable line(m_device, normal, m_width, {{0.55, false}, {0.45, false}});
        PackCell verdict{row.verdictText()};
        if (row.isUnreliable()) {
            verdict.bold = true;
            verdict.colour = QColor(0xb0, 0, 0);
        }
        line.paint(painter, points(20), {{summary}, verdict});
        painter.drawLine(QPointF(0, points(44)), QPointF(m_width, points(44)));
    }

    QPagedPaintDevice &m_device;
    const ClassPackContent &m_content;
    qreal m_width;
    qreal m_headerBand; // the running header's, above every page's body
    qreal m_footerBand; // the page number's, below it
    qreal m_bodyHeight;
    // Each page as the parts that paint it, planned whole before the first is painted so that
    // every page can say how many there are.
    QList<QList<std::function<void(QPainter &)>>> m_pages;
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
    PackPainter pack(device, content);
    pack.planCover();
    pack.planUnmarked();
    for (const LearnerResult &result : content.results) {
        if (!result.current.markedCopy.isEmpty())
            pack.planLearner(result, problems);
    }
    return pack.paint();
}

QString writeClassPackPdf(const QString &pdfPath, const ClassPackContent &content, QStringList &problems)
{
    if (QString refusal = outputRefusal(pdfPath); !refusal.isEmpty())
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
