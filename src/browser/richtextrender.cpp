#include "richtextrender.h"

#include <QColor>
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
    if (format.offset > 0)
        qt.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (format.offset < 0)
        qt.setVerticalAlignment(QTextCharFormat::AlignSubScript);
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
    const QString defaultFont = source.fontName();
    bool afterCr = false; // a CR at the end of one run pairs with an LF at the start of the next
    int position = 0;

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
            if (shown)
                piece.append(afterCr ? QChar(QLatin1Char('\n')) : c);
        }
        // insertText turns each '\n' into a paragraph break.
        cursor.insertText(piece, qtFormat(run.format, defaultFont));
    }
}

} // namespace tallimark
