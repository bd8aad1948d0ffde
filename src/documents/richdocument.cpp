#include "richdocument.h"

#include "documentfile.h"
#include "plaintextdecoder.h"
#include "rtfreader.h"
#include "rtfsink.h"
#include "rtfwriter.h"



namespace tallimark {

namespace {

// Formats beyond this many distinct ones fall back to the default (a hostile file could ask
// for any number of them; an index must fit a quint16).
constexpr qsizetype maxFormats = 0xFFFF;

bool isRtf(const QByteArray &bytes)
{
    return bytes.startsWith("{\\rtf");
}

} // namespace

size_t qHash(const CharFormat &format, size_t seed) noexcept
{
    return qHashMulti(seed, format.fontName, format.fontSizeHalfPoints, format.bold, format.italic,
                      format.underline, format.colour.value_or(0xFF000000u),
                      format.background.value_or(0xFF000000u), format.offset, format.kerning);
}

RichDocument::RichDocument()
{
    clear();
}

void RichDocument::clear()
{
    m_text.clear();
    m_formatOfChar.clear();
    m_formats.clear();
    m_formatIndices.clear();
    formatIndex(CharFormat{});
    m_caretFormat = CharFormat{};
    m_selStart = 0;
    m_selLength = 0;
}

quint16 RichDocument::formatIndex(const CharFormat &format)
{
    const auto found = m_formatIndices.constFind(format);
    if (found != m_formatIndices.constEnd())
        return *found;
    if (m_formats.size() >= maxFormats)
        return 0;
    const auto index = quint16(m_formats.size());
    m_formats.append(format);
    m_formatIndices.insert(format, index);
    return index;
}

Failure RichDocument::loadFile(const QString &path)
{
    const DocumentBytes file = readDocumentBytes(path);
    if (file.failure.failed())
        return file.failure;
    if (isRtf(file.bytes))
        setRtfBytes(file.bytes);
    else
        setText(decodePlainText(file.bytes));
    return Failure::ok();
}

Failure RichDocument::saveFile(const QString &path, bool syncNow) const
{
    return writeDocumentBytes(path, writeRtf(*this), syncNow);
}

QString RichDocument::text() const
{
    return m_text;
}

void RichDocument::setText(const QString &text)
{
    clear();
    m_text = text;
    m_formatOfChar.fill(0, text.size());
}

int RichDocument::length() const
{
    return int(m_text.size());
}

QString RichDocument::textRtf() const
{
    return QString::fromLatin1(writeRtf(*this));
}

void RichDocument::setTextRtf(const QString &rtf)
{
    // The source is ASCII when it comes from a writer. A character a caller put into it that
    // Windows-1252 bytes would misread is kept as \uN.
    QByteArray bytes;
    bytes.reserve(rtf.size());
    for (QChar c : rtf) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u < 0x100))
            bytes.append(char(u));
        else
            bytes.append("\\u").append(QByteArray::number(qint16(c.unicode()))).append('?');
    }
    setRtfBytes(bytes);
}

void RichDocument::setRtfBytes(const QByteArray &rtf)
{
    RtfSink sink(*this);
    RtfReader reader(sink);
    reader.read(rtf);
}

QString RichDocument::fontName() const
{
    return m_defaultFont;
}

void RichDocument::setFontName(const QString &name)
{
    m_defaultFont = name;
}

int RichDocument::selStart() const
{
    return m_selStart;
}

int RichDocument::selLength() const
{
    return m_selLength;
}

void RichDocument::setSelStart(int start)
{
    m_selStart = qBound(0, start, length());
    m_selLength = 0;
    takeCaretFormatFromText();
}

void RichDocument::setSelLength(int length)
{
    m_selLength = qBound(0, length, this->length() - m_selStart);
}

void RichDocument::takeCaretFormatFromText()
{
    // New text typed at the caret continues the character before it, as in any editor.
    if (m_text.isEmpty())
        return;
    const qsizetype from = m_selStart > 0 ? m_selStart - 1 : 0;
    m_caretFormat = m_formats[m_formatOfChar[from]];
}

QString RichDocument::selText() const
{
    return m_text.mid(m_selStart, m_selLength);
}

void RichDocument::setSelText(const QString &text)
{
    const CharFormat format = m_selLength > 0 ? m_formats[m_formatOfChar[m_selStart]] : m_caretFormat;
    const quint16 index = formatIndex(format);
    m_text.replace(m_selStart, m_selLength, text);
    m_formatOfChar.remove(m_selStart, m_selLength);
    m_formatOfChar.insert(m_selStart, text.size(), index);
    m_selStart += int(text.size());
    m_selLength = 0;
    m_caretFormat = format;
}

template<typename Change>
void RichDocument::changeSelection(Change change)
{
    if (m_selLength == 0) {
        change(m_caretFormat);
        return;
    }
    // Few distinct formats meet in one selection; map each old one to its changed one once.
    QHash<quint16, quint16> changed;
    for (qsizetype i = m_selStart; i < m_selStart + m_selLength; ++i) {
        quint16 &index = m_formatOfChar[i];
        auto found = changed.constFind(index);
        if (found == changed.constEnd()) {
            CharFormat format = m_formats[index];
            change(format);
            found = changed.insert(index, formatIndex(format));
        }
        index = *found;
    }
}

void RichDocument::setSelColour(Colour colour)
{
    changeSelection([colour](CharFormat &format) { format.colour = colour; });
}

void RichDocument::setSelBackground(Colour colour)
{
    changeSelection([colour](CharFormat &format) {
        if (colour == White)
            format.background.reset();
        else
            format.background = colour;
    });
}

void RichDocument::setSelFontName(const QString &name)
{
    changeSelection([&name](CharFormat &format) { format.fontName = name; });
}

void RichDocument::setSelBold(bool on)
{
    changeSelection([on](CharFormat &format) { format.bold = on; });
}

void RichDocument::setSelUnderline(bool on)
{
    changeSelection([on](CharFormat &format) { format.underline = on; });
}

void RichDocument::setSelOffset(int halfPoints)
{
    changeSelection([halfPoints](CharFormat &format) { format.offset = halfPoints; });
}

void RichDocument::setSelKerning(int halfPoints)
{
    changeSelection([halfPoints](CharFormat &format) { format.kerning = halfPoints; });
}

CharFormat RichDocument::formatAt(int position) const
{
    if (position >= 0 && position < length())
        return m_formats[m_formatOfChar[position]];
    return m_caretFormat;
}

QList<TextRun> RichDocument::runs() const
{
    QList<TextRun> result;
    qsizetype start = 0;
    const qsizetype size = m_text.size();
    while (start < size) {
        const quint16 index = m_formatOfChar[start];
        qsizetype end = start + 1;
        while (end < size && m_formatOfChar[end] == index)
            ++end;
        result.append(TextRun{m_text.mid(start, end - start), m_formats[index]});
        start = end;
    }
    return result;
}

} // namespace tallimark
