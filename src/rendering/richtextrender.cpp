#include "richtextrender.h"

#include "rtfpicture.h"
#include "twips.h"

#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QPaintDevice>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>

namespace tallimark {

namespace {

// Indents in a text document are in its paint device's units: a printer's or a PDF's dots, or a
// screen's pixels when it has none (Qt scales those on high-DPI screens). Spacing above and below
// and line heights are in pixels of 96 to the inch whatever the device: Qt scales those itself.
qreal indentUnitsPerTwip(QTextDocument &target)
{
    if (const QPaintDevice *device = target.documentLayout()->paintDevice())
        return device->logicalDpiX() / 1440.0;
    return 1.0 / twipsPerPixel;
}

QColor qtColour(Colour bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QTextCharFormat qtFormat(const CharFormat &format, const QString &defaultFont)
{
    QTextCharFormat qt;
    const QString family = format.fontName.isEmpty() ? defaultFont : format.fontName;
    if (!family.isEmpty())
        qt.setFontFamilies({family});
    if (format.fontSizeHalfPoints > 0)
        qt.setFontPointSize(format.fontSizeHalfPoints / 2.0);
    qt.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    qt.setFontItalic(format.italic);
    qt.setFontUnderline(format.underline);
    if (format.colour)
        qt.setForeground(qtColour(*format.colour));
    if (format.background)
        qt.setBackground(qtColour(*format.background));
    if (format.offset > 0 || format.script == Script::Super)
        qt.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (format.offset < 0 || format.script == Script::Sub)
        qt.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    qt.setFontStrikeOut(format.strike);
    return qt;
}

QTextBlockFormat qtBlockFormat(const ParagraphFormat &paragraph, qreal indentPerTwip)
{
    const auto indent = [indentPerTwip](int twips) { return twips * indentPerTwip; };
    const auto height = [](int twips) { return twips / qreal(twipsPerPixel); };
    QTextBlockFormat qt;
    switch (paragraph.alignment) {
    case Alignment::Left:
        qt.setAlignment(Qt::AlignLeft);
        break;
    case Alignment::Centre:
        qt.setAlignment(Qt::AlignHCenter);
        break;
    case Alignment::Right:
        qt.setAlignment(Qt::AlignRight);
        break;
    case Alignment::Justified:
    case Alignment::Distributed:
        qt.setAlignment(Qt::AlignJustify);
        break;
    }
    qt.setLeftMargin(indent(paragraph.leftIndent));
    qt.setRightMargin(indent(paragraph.rightIndent));
    qt.setTextIndent(indent(paragraph.firstLineIndent));
    qt.setTopMargin(height(paragraph.spaceBefore));
    qt.setBottomMargin(height(paragraph.spaceAfter));
    // \slN: N/240 lines when multiple, else at least (N > 0) or exactly (N < 0) N twips.
    if (paragraph.lineSpacing != 0 && paragraph.lineSpacingMultiple)
        qt.setLineHeight(paragraph.lineSpacing * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
    else if (paragraph.lineSpacing > 0)
        qt.setLineHeight(height(paragraph.lineSpacing), QTextBlockFormat::MinimumHeight);
    else if (paragraph.lineSpacing < 0)
        qt.setLineHeight(height(-paragraph.lineSpacing), QTextBlockFormat::FixedHeight);
    return qt;
}

// Picture sizes, like spacing, are in pixels of 96 to the inch.
void insertPicture(QTextCursor &cursor, const RtfPicture &picture)
{
    const QUrl name(QStringLiteral("tallimark-picture:%1").arg(picture.image.cacheKey()));
    cursor.document()->addResource(QTextDocument::ImageResource, name, picture.image);
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(picture.twips.width() / twipsPerPixel);
    format.setHeight(picture.twips.height() / twipsPerPixel);
    cursor.insertImage(format);
}

} // namespace

void renderRichDocument(const RichDocument &source, QTextDocument &target)
{
    target.clear();
    appendRichDocument(source, 0, target);
}

void appendRichDocument(const RichDocument &source, int from, QTextDocument &target)
{
    QTextCursor cursor(&target);
    cursor.movePosition(QTextCursor::End);
    // One edit for the whole text: the layout follows once for all that was added, not after each
    // paragraph's format, which took time growing with the square of the paragraphs.
    cursor.beginEditBlock();
    const QString defaultFont = source.fontName();
    bool afterCr = false; // a CR at the end of one run pairs with an LF at the start of the next
    int position = 0;
    QList<int> blockStarts{from};                // where each of Qt's new blocks starts in the source's text
    const int firstBlock = cursor.blockNumber(); // the block the new text continues
    const qreal perTwip = indentUnitsPerTwip(target);
    // The pictures, each where the document keeps its group.
    const QList<KeptRtf> &kept = source.keptRtf();
    auto nextKept = std::lower_bound(kept.begin(), kept.end(), qsizetype(from),
                                     [](const KeptRtf &item, qsizetype p) { return item.position < p; });
    const auto picturesAt = [&](qsizetype at, QString &piece, const QTextCharFormat &format) {
        for (; nextKept != kept.end() && nextKept->position <= at; ++nextKept) {
            if (nextKept->kind != KeptRtf::Group)
                continue;
            if (const std::optional<RtfPicture> picture = decodeRtfPicture(nextKept->rtf)) {
                cursor.insertText(piece, format);
                piece.clear();
                insertPicture(cursor, *picture);
            }
        }
    };

    for (const TextRun &run : source.runs()) {
        if (position + run.text.size() <= from) {
            position += int(run.text.size());
            afterCr = run.text.endsWith(QLatin1Char('\r'));
            continue;
        }
        QString piece;
        const QTextCharFormat format = qtFormat(run.format, defaultFont);
        for (QChar c : run.text) {
            if (position >= from)
                picturesAt(position, piece, format);
            const bool shown = position++ >= from;
            if (c == QLatin1Char('\n') && afterCr) {
                afterCr = false;
                continue;
            }
            afterCr = c == QLatin1Char('\r');
            if (!shown)
                continue;
            if (afterCr && source.breakAt(position - 1) == Break::Line) {
                piece.append(QChar::LineSeparator);
            } else if (afterCr) {
                piece.append(QLatin1Char('\n'));
                blockStarts.append(position + 1);
            } else {
                piece.append(c);
            }
        }
        // insertText turns each '\n' into a paragraph break.
        cursor.insertText(piece, format);
    }
    QString none;
    picturesAt(source.length(), none, QTextCharFormat());
    int index = 0;
    for (QTextBlock block = target.findBlockByNumber(firstBlock); block.isValid() && index < blockStarts.size();
         block = block.next()) {
        cursor.setPosition(block.position());
        cursor.setBlockFormat(qtBlockFormat(source.paragraphFormatAt(blockStarts[index++]), perTwip));
    }
    cursor.endEditBlock();
}

} // namespace tallimark
