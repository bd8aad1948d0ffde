#include "richtextrender.h"

#include "twips.h"

#include <QColor>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace tallimark {

namespace {

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

QTextBlockFormat qtBlockFormat(const ParagraphFormat &paragraph)
{
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
    qt.setLeftMargin(pixels(paragraph.leftIndent));
    qt.setRightMargin(pixels(paragraph.rightIndent));
    qt.setTextIndent(pixels(paragraph.firstLineIndent));
    qt.setTopMargin(pixels(paragraph.spaceBefore));
    qt.setBottomMargin(pixels(paragraph.spaceAfter));
    // \slN: N/240 lines when multiple, else at least (N > 0) or exactly (N < 0) N twips.
    if (paragraph.lineSpacing != 0 && paragraph.lineSpacingMultiple)
        qt.setLineHeight(paragraph.lineSpacing * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
    else if (paragraph.lineSpacing > 0)
        qt.setLineHeight(pixels(paragraph.lineSpacing), QTextBlockFormat::MinimumHeight);
    else if (paragraph.lineSpacing < 0)
        qt.setLineHeight(pixels(-paragraph.lineSpacing), QTextBlockFormat::FixedHeight);
    return qt;
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

    for (const TextRun &run : source.runs()) {
        if (position + run.text.size() <= from) {
            position += int(run.text.size());
            afterCr = run.text.endsWith(QLatin1Char('\r'));
            continue;
        }
        QString piece;
        for (QChar c : run.text) {
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
        cursor.insertText(piece, qtFormat(run.format, defaultFont));
    }
    int index = 0;
    for (QTextBlock block = target.findBlockByNumber(firstBlock); block.isValid() && index < blockStarts.size();
         block = block.next()) {
        cursor.setPosition(block.position());
        cursor.setBlockFormat(qtBlockFormat(source.paragraphFormatAt(blockStarts[index++])));
    }
    cursor.endEditBlock();
}

} // namespace tallimark
