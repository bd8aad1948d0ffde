#include "rtfwriter.h"

#include "codepages.h"
#include "richdocument.h"

#include <QHash>

namespace tallimark {

namespace {

const QString fallbackFontName = QStringLiteral("Arial");

QByteArray escapedFontName(const QString &name)
{
    QByteArray out;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        // A font name ends at the first semicolon, and readers drop controls from it.
        if (u == u';' || u < 0x20 || c.isSurrogate())
            continue;
        if (u < 0x7F) {
            if (u == u'\\' || u == u'{' || u == u'}')
                out.append('\\');
            out.append(char(u));
            continue;
        }
        const int byte = unicodeToCp1252(u);
        if (byte >= 0x80)
            out.append("\\'").append(QByteArray::number(byte, 16).rightJustified(2, '0'));
        else
            out.append("\\u").append(QByteArray::number(u > 0x7FFF ? int(u) - 0x10000 : int(u))).append('?');
    }
    return out;
}

class RtfWriter
{
public:
    explicit RtfWriter(const RichDocument &document);
    QByteArray write();

private:
    struct WrittenFormat
    {
        int font = 0;
        CharFormat format;
    };

    int fontNumber(const CharFormat &format);
    int colourNumber(std::optional<Colour> colour);
    QByteArray header() const;
    void writeFormatChange(const CharFormat &format);
    void writeText(QStringView text);
    void writeWord(const char *word);
    void writeWord(const char *word, int parameter);

    QList<TextRun> m_runs;
    QString m_defaultFont;
    QStringList m_fonts;
    QHash<QString, int> m_fontNumbers;
    QList<Colour> m_colours;
    QHash<Colour, int> m_colourNumbers;
    WrittenFormat m_written;
    bool m_wordPending = false; // a control word was written and needs its delimiter
    QByteArray m_out;
};

RtfWriter::RtfWriter(const RichDocument &document)
    : m_runs(document.runs()), m_defaultFont(document.fontName())
{
    if (m_defaultFont.isEmpty())
        m_defaultFont = fallbackFontName;
}

QByteArray RtfWriter::write()
{
    m_fonts.append(m_defaultFont);
    m_fontNumbers.insert(m_defaultFont, 0);
    qsizetype textSize = 0;
    for (const TextRun &run : std::as_const(m_runs))
        textSize += run.text.size();
    m_out.reserve(256 + textSize + textSize / 8);

    // What a reader assumes before the first formatting word.
    m_written.font = 0;
    m_written.format = CharFormat{};
    m_written.format.fontSizeHalfPoints = 24;
    m_wordPending = true;
    // A CR that ends one run may pair with an LF that starts the next one.
    bool carriedCr = false;
    for (const TextRun &run : std::as_const(m_runs)) {
        QStringView text = run.text;
        if (carriedCr) {
            carriedCr = false;
            if (text.startsWith(u'\n')) {
                writeText(u"\r\n");
                text = text.sliced(1);
            } else {
                writeText(u"\r");
            }
        }
        if (text.endsWith(u'\r')) {
            carriedCr = true;
            text.chop(1);
        }
        // Paragraph breaks at the start of a run go out before its formatting, so that no
        // formatting change ever stands between the text of a line and its break.
        while (text.startsWith(u"\r\n")) {
            writeText(text.first(2));
            text = text.sliced(2);
        }
        if (text.isEmpty())
            continue;
        writeFormatChange(run.format);
        writeText(text);
    }
    if (carriedCr)
        writeText(u"\r");
    // The final paragraph mark, as word processors write it; the reader drops it again.
    writeText(u"\r\n");
    m_out.append('}');
    // The tables list only the fonts and colours that the text uses, in the order it uses them.
    return header() + m_out;
}

int RtfWriter::fontNumber(const CharFormat &format)
{
    if (format.fontName.isEmpty())
        return 0;
    auto found = m_fontNumbers.constFind(format.fontName);
    if (found == m_fontNumbers.constEnd()) {
        found = m_fontNumbers.insert(format.fontName, int(m_fonts.size()));
        m_fonts.append(format.fontName);
    }
    return *found;
}

int RtfWriter::colourNumber(std::optional<Colour> colour)
{
    if (!colour)
        return 0; // "automatic"
    auto found = m_colourNumbers.constFind(*colour);
    if (found == m_colourNumbers.constEnd()) {
        m_colours.append(*colour);
        found = m_colourNumbers.insert(*colour, int(m_colours.size()));
    }
    return *found;
}

QByteArray RtfWriter::header() const
{
    QByteArray out("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl");
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        out.append("{\\f").append(QByteArray::number(i)).append("\\fnil\\fcharset0 ");
        out.append(escapedFontName(m_fonts[i]));
        out.append(";}");
    }
    out.append("}\r\n{\\colortbl ;");
    for (Colour colour : std::as_const(m_colours)) {
        out.append("\\red").append(QByteArray::number(colour & 0xFF));
        out.append("\\green").append(QByteArray::number((colour >> 8) & 0xFF));
        out.append("\\blue").append(QByteArray::number((colour >> 16) & 0xFF)).append(';');
    }
    out.append("}\r\n\\viewkind4\\uc1\\pard");
    return out;
}

void RtfWriter::writeWord(const char *word)
{
    m_out.append('\\').append(word);
    m_wordPending = true;
}

void RtfWriter::writeWord(const char *word, int parameter)
{
    m_out.append('\\').append(word).append(QByteArray::number(parameter));
    m_wordPending = true;
}

void RtfWriter::writeFormatChange(const CharFormat &format)
{
    CharFormat &old = m_written.format;
    const int font = fontNumber(format);
    if (font != m_written.font)
        writeWord("f", font);
    if (format.fontSizeHalfPoints != old.fontSizeHalfPoints)
        writeWord("fs", format.fontSizeHalfPoints);
    if (format.bold != old.bold)
        writeWord(format.bold ? "b" : "b0");
    if (format.italic != old.italic)
        writeWord(format.italic ? "i" : "i0");
    if (format.underline != old.underline)
        writeWord(format.underline ? "ul" : "ulnone");
    if (format.colour != old.colour)
        writeWord("cf", colourNumber(format.colour));
    if (format.background != old.background)
        writeWord("highlight", colourNumber(format.background));
    if (format.offset != old.offset) {
        if (format.offset >= 0)
            writeWord("up", format.offset);
        else
            writeWord("dn", -format.offset);
    }
    if (format.kerning != old.kerning)
        writeWord("kerning", format.kerning);
    m_written.font = font;
    old = format;
}

void RtfWriter::writeText(QStringView text)
{
    static const char hexDigits[] = "0123456789abcdef";
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            // The raw CR LF comes straight after the last character of the line.
            m_out.append("\r\n\\par");
            m_wordPending = true;
            ++i;
            continue;
        }
        if (c == u'\t') {
            writeWord("tab");
            continue;
        }
        if (c >= 0x20 && c < 0x7F) {
            if (m_wordPending) {
                m_out.append(' ');
                m_wordPending = false;
            }
            if (c == u'\\' || c == u'{' || c == u'}')
                m_out.append('\\');
            m_out.append(char(c));
            continue;
        }
        const int byte = c >= 0x80 ? unicodeToCp1252(c) : -1;
        if (byte >= 0x80) {
            m_out.append("\\'").append(hexDigits[byte >> 4]).append(hexDigits[byte & 0xF]);
        } else {
            // Controls, lone CR and LF included, and everything beyond Windows-1252.
            const int value = c > 0x7FFF ? int(c) - 0x10000 : int(c);
            m_out.append("\\u").append(QByteArray::number(value)).append('?');
        }
        m_wordPending = false;
    }
}

} // namespace

QByteArray writeRtf(const RichDocument &document)
{
    return RtfWriter(document).write();
}

} // namespace tallimark
