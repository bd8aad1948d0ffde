#include "rtfwriter.h"

#include "codepages.h"
#include "layoutwords.h"
#include "richdocument.h"

#include <QHash>
#include <QMutex>

#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <vector>

namespace tallimark {

namespace {

const QString fallbackFontName = QStringLiteral("Arial");
// A font this writer adds is declared Windows-1252, whatever the document's code page.
const QByteArray addedFontWords = QByteArrayLiteral("\\fnil\\fcharset0");

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
        out.append("\\u").append(QByteArray::number(u > 0x7FFF ? int(u) - 0x10000 : int(u))).append('?');
    }
    return out;
}

// Whether the code page reads printable ASCII as ASCII, as the writer's control words and
// text need (EBCDIC pages do not).
bool keepsAscii(int codePage)
{
    // One cache for every thread that writes documents. Not thread_local: with MinGW, a
    // thread_local object's destructor at the marking thread's exit corrupts the heap.
    static QBasicMutex mutex;
    static QHash<int, bool> known;
    const QMutexLocker lock(&mutex);
    const auto found = known.constFind(codePage);
    if (found != known.constEnd())
        return *found;
    QByteArray ascii;
    for (char c = 0x20; c < 0x7F; ++c)
        ascii.append(c);
    QString decoded;
    CodePageDecoder().decode(ascii, codePage, decoded);
    return *known.insert(codePage, decoded == QLatin1String(ascii));
}

const char *breakWord(Break kind)
{
    switch (kind) {
    case Break::Line:
        return "line";
    case Break::Section:
        return "sect";
    case Break::Page:
        return "page";
    case Break::Row:
        return "row";
    case Break::Cell:
        return "cell";
    case Break::NestedCell:
        return "nestcell";
    case Break::KeptGroup:
        return nullptr; // the kept group before it writes the row's end
    case Break::Text:
        break;
    }
    return "par";
}

} // namespace

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
    int codePageOfFont(int number) const;
    int colourNumber(std::optional<Colour> colour);
    QByteArray header() const;
    void writeParagraphStart(qsizetype position);
    void writeKept(const KeptRtf &item);
    void writeBreak(Break kind, bool crLfWritten = false);
    // lineEnd: where the CR LF right after the run stands, or -1.
    void writeRun(const CharFormat &format, QStringView text, int codePage, qsizetype lineEnd);
    void writeFormatChange(const CharFormat &format);
    void writeText(QStringView text, int codePage);
    void writeRaw(const QByteArray &rtf);
    void writeWord(const char *word);
    void writeWord(const char *word, int parameter);
    void resetToPlain();
    bool isCrLf(qsizetype position) const;
    bool isCell(qsizetype position) const;

    const RichDocument &m_document;
    const DocumentLayout &m_layout;
    int m_codePage;                   // the document's, unless it cannot hold this writer's ASCII
    std::map<int, FontEntry> m_fonts; // by number, so the table comes out in order
    QHash<QString, int> m_fontNumbers;
    int m_defaultFont = 0;
    QList<std::optional<Colour>> m_colours;
    WrittenFormat m_written;
    std::vector<WrittenFormat> m_writtenOutside; // one per kept opening still open
    QHash<quint16, QByteArray> m_paragraphWords; // by paragraph format, each built once
    QHash<quint16, int> m_codePages;             // by character format
    size_t m_paragraphDepth = 0;                 // openings open when the paragraph was started
    qsizetype m_paragraphStart = 0;
    qsizetype m_crLfWrittenAt = -1; // a mark's group took the raw CR LF of the line end here
    bool m_wordPending = false;     // a control word was written and needs its delimiter
    QByteArray m_out;
};

RtfWriter::RtfWriter(const RichDocument &document)
    : m_document(document), m_layout(document.m_layout),
      m_codePage(keepsAscii(document.m_layout.codePage) ? document.m_layout.codePage : CodePage::Windows1252),
      m_colours(document.m_layout.colours)
{
    for (auto it = m_layout.fonts.cbegin(); it != m_layout.fonts.cend(); ++it) {
        FontEntry entry = it.value();
        if (entry.codePage > 0 && !keepsAscii(entry.codePage))
            entry = FontEntry{entry.name, CodePage::Windows1252, addedFontWords};
        m_fonts.emplace(it.key(), entry);
    }
    m_defaultFont = m_layout.defaultFontNumber;
    QString defaultName = document.fontName();
    if (defaultName.isEmpty())
        defaultName = m_fonts.contains(m_defaultFont) ? m_fonts[m_defaultFont].name : fallbackFontName;
    if (defaultName.isEmpty())
        defaultName = fallbackFontName;
    FontEntry &defaultEntry = m_fonts[m_defaultFont];
    if (defaultEntry.attributeWords.isEmpty()) {
        defaultEntry.attributeWords = addedFontWords;
        defaultEntry.codePage = CodePage::Windows1252;
    }
    defaultEntry.name = defaultName;
    m_fontNumbers.insert(defaultName, m_defaultFont);
    for (const auto &[number, entry] : m_fonts) {
        if (!m_fontNumbers.contains(entry.name))
            m_fontNumbers.insert(entry.name, number);
    }
    if (m_colours.isEmpty())
        m_colours.append(std::nullopt); // "automatic"
}

QByteArray RtfWriter::write()
{
    const QString &text = m_document.m_text;
    const qsizetype size = text.size();
    const QList<KeptRtf> &kept = m_layout.kept;
    m_out.reserve(256 + size + size / 8);

    // What a reader assumes before the first formatting word.
    m_written.font = m_defaultFont;
    m_written.format = CharFormat{};
    m_written.format.fontSizeHalfPoints = 24;
    m_wordPending = true;

    qsizetype section = 0;
    writeRaw(layoutwords::sectionWords(m_layout.sections.value(section)));
    qsizetype keptIndex = 0;
    bool paragraphOpen = false;
    qsizetype i = 0;
    for (;;) {
        if (!paragraphOpen) {
            writeParagraphStart(i);
            paragraphOpen = true;
        }
        // Kept RTF never stands inside a run: a highlight's group closes before it. What was
        // kept at a line's end goes after the line's raw CR LF, so the CR still follows the
        // line's last character.
        const bool atLineEnd = i < size && isCrLf(i);
        while (keptIndex < kept.size()
               && (kept[keptIndex].position < i || (kept[keptIndex].position == i && !atLineEnd)))
            writeKept(kept[keptIndex++]);
        if (i >= size)
            break;
        const Break kind = m_document.m_chars[i].kind;
        if (atLineEnd || isCell(i)) {
            // The break of an empty line carries its own formatting (its font size is the
            // line's height); after text it keeps the text's, so that nothing stands between a
            // line's last character and its break.
            std::optional<WrittenFormat> outsideGroup;
            if (i == 0 || text[i - 1] == u'\n' || isCell(i - 1)) {
                CharFormat format = m_document.m_formats[m_document.m_chars[i].format];
                // No highlight on a line without text; nor its white text.
                if (format.background) {
                    format.background.reset();
                    format.colour.reset();
                }
                // An underline goes into a group with the break, so that it reaches nothing after
                // it; not where kept RTF, which may open or close a group, stands at the break.
                if (format.underline && !(keptIndex < kept.size() && kept[keptIndex].position == i)) {
                    outsideGroup = m_written;
                    m_out.append('{');
                    m_wordPending = false;
                } else if (format.underline) {
                    format.underline = false;
                    format.colour.reset();
                }
                writeFormatChange(format);
            }
            if (atLineEnd) {
                if (m_crLfWrittenAt != i)
                    m_out.append("\r\n");
                while (keptIndex < kept.size() && kept[keptIndex].position == i)
                    writeKept(kept[keptIndex++]);
            }
            writeBreak(kind, atLineEnd);
            if (outsideGroup) {
                m_out.append('}');
                m_wordPending = false;
                m_written = *outsideGroup;
            }
            const bool tab = text[i] == u'\t';
            i += tab ? 1 : 2;
            paragraphOpen = !endsParagraph(kind, tab);
            if (kind == Break::Section) {
                ++section;
                writeRaw(layoutwords::sectionWords(m_layout.sections.value(section, m_layout.sections.value(0))));
            }
            continue;
        }
        const quint16 format = m_document.m_chars[i].format;
        const qsizetype keptAt = keptIndex < kept.size() ? kept[keptIndex].position : size;
        qsizetype end = i + 1;
        while (end < size && end < keptAt && m_document.m_chars[end].format == format && !isCrLf(end) && !isCell(end))
            ++end;
        auto codePage = m_codePages.constFind(format);
        if (codePage == m_codePages.constEnd())
            codePage = m_codePages.insert(format, codePageOfFont(fontNumber(m_document.m_formats[format])));
        writeRun(m_document.m_formats[format], QStringView(text).sliced(i, end - i), *codePage,
                 end < size && isCrLf(end) ? end : -1);
        i = end;
    }
    // Openings of a file that ended inside them are closed, so that the braces balance.
    while (!m_writtenOutside.empty())
        writeKept(KeptRtf{size, "}", KeptRtf::Closing});
    // The final paragraph mark, as word processors write it; the reader drops it again.
    writeBreak(Break::Text);
    m_out.append('}');
    // The tables are complete only now: the text may have added fonts and colours.
    return header() + m_out;
}

bool RtfWriter::isCrLf(qsizetype position) const
{
    const QString &text = m_document.m_text;
    return text[position] == u'\r' && position + 1 < text.size() && text[position + 1] == u'\n';
}

bool RtfWriter::isCell(qsizetype position) const
{
    return m_document.m_text[position] == u'\t' && endsParagraph(m_document.m_chars[position].kind, true);
}

int RtfWriter::fontNumber(const CharFormat &format)
{
    if (format.fontName.isEmpty())
        return m_defaultFont;
    auto found = m_fontNumbers.constFind(format.fontName);
    if (found == m_fontNumbers.constEnd()) {
        // Past the file's numbers; when it took the largest there is, the first free one.
        int number = 0;
        if (!m_fonts.empty() && m_fonts.rbegin()->first < std::numeric_limits<int>::max())
            number = m_fonts.rbegin()->first + 1;
        while (m_fonts.contains(number))
            ++number;
        m_fonts[number] = FontEntry{format.fontName, CodePage::Windows1252, addedFontWords};
        found = m_fontNumbers.insert(format.fontName, number);
    }
    return *found;
}

int RtfWriter::codePageOfFont(int number) const
{
    const auto found = m_fonts.find(number);
    if (found != m_fonts.end() && found->second.codePage > 0)
        return found->second.codePage;
    return m_codePage;
}

int RtfWriter::colourNumber(std::optional<Colour> colour)
{
    const qsizetype index = m_colours.indexOf(colour);
    if (index >= 0)
        return int(index);
    m_colours.append(colour);
    return int(m_colours.size() - 1);
}

QByteArray RtfWriter::header() const
{
    QByteArray out("{\\rtf1");
    switch (m_codePage) {
    case CodePage::MacRoman:
        out.append("\\mac");
        break;
    case CodePage::Oem437:
        out.append("\\pc");
        break;
    case CodePage::Oem850:
        out.append("\\pca");
        break;
    default:
        out.append("\\ansi\\ansicpg").append(QByteArray::number(m_codePage));
        break;
    }
    out.append("\\deff").append(QByteArray::number(m_defaultFont)).append("{\\fonttbl");
    for (const auto &[number, entry] : m_fonts) {
        out.append("{\\f").append(QByteArray::number(number));
        out.append(entry.attributeWords.isEmpty() ? QByteArray("\\fnil") : entry.attributeWords);
        out.append(' ').append(escapedFontName(entry.name)).append(";}");
    }
    out.append("}\r\n{\\colortbl ");
    for (const std::optional<Colour> &colour : m_colours) {
        if (colour) {
            out.append("\\red").append(QByteArray::number(*colour & 0xFF));
            out.append("\\green").append(QByteArray::number((*colour >> 8) & 0xFF));
            out.append("\\blue").append(QByteArray::number((*colour >> 16) & 0xFF));
        }
        out.append(';');
    }
    out.append("}\r\n");
    out.append(m_layout.headerGroups);
    out.append(layoutwords::documentWords(m_layout.document));
    out.append("\\viewkind4\\uc1");
    return out;
}

void RtfWriter::writeParagraphStart(qsizetype position)
{
    m_paragraphStart = position;
    m_paragraphDepth = m_writtenOutside.size();
    const quint16 index =
        position < m_document.m_chars.size() ? m_document.m_chars[position].paragraph : m_layout.endParagraph;
    auto words = m_paragraphWords.constFind(index);
    if (words == m_paragraphWords.constEnd()) {
        // \plain as well: a reader that applies a style's character formatting (a superscript
        // reference style, say) would otherwise carry it into the text. Each run then states its
        // font, size and language itself.
        QByteArray pard = layoutwords::paragraphWords(m_layout.paragraphFormats.value(index));
        pard.insert(qsizetype(std::strlen("\\pard")), "\\plain");
        words = m_paragraphWords.insert(index, pard);
    }
    writeRaw(*words);
    resetToPlain();
}

void RtfWriter::resetToPlain()
{
    // What \plain leaves; no font and no size, so that the next run states both.
    m_written.font = -1;
    m_written.format = CharFormat{};
    m_written.format.fontSizeHalfPoints = 0;
}

void RtfWriter::writeKept(const KeptRtf &item)
{
    if (item.kind == KeptRtf::Closing && m_writtenOutside.empty())
        return; // its opening is gone; a lone brace would end the document early
    writeRaw(item.rtf);
    if (item.kind == KeptRtf::Opening) {
        m_writtenOutside.push_back(m_written);
    } else if (item.kind == KeptRtf::Closing) {
        // Closing the group undoes the formatting written inside it, the paragraph's included.
        m_written = m_writtenOutside.back();
        m_writtenOutside.pop_back();
        if (m_writtenOutside.size() < m_paragraphDepth)
            writeParagraphStart(m_paragraphStart);
    }
}

void RtfWriter::writeRaw(const QByteArray &rtf)
{
    if (rtf.isEmpty())
        return;
    m_out.append(rtf);
    m_wordPending = !rtf.endsWith('}');
}

void RtfWriter::writeBreak(Break kind, bool crLfWritten)
{
    // The raw CR LF comes straight after the last character of the line, so that plain
    // replacements such as ".  " + CR -> "." + CR work on the source.
    if (kind == Break::Cell || kind == Break::NestedCell) {
        writeWord(breakWord(kind));
        return;
    }
    if (!crLfWritten)
        m_out.append("\r\n");
    if (const char *word = breakWord(kind))
        writeWord(word);
}

void RtfWriter::writeRun(const CharFormat &format, QStringView text, int codePage, qsizetype lineEnd)
{
    if (!format.background && !format.underline) {
        writeFormatChange(format);
        writeText(text, codePage);
        return;
    }
    // A highlight or an underline (the marks of errors and repeats) is a group of its own, closed
    // where its text ends: every reader ends it with the group, where a "no highlight" word
    // (\highlight0) is drawn black by some, and nothing it sets reaches a paragraph mark, a list
    // label or a field that follows. At a line end the group takes the raw CR LF, so that the
    // line's last character still stands right before it.
    const WrittenFormat outside = m_written;
    m_out.append('{');
    m_wordPending = false;
    writeFormatChange(format);
    writeText(text, codePage);
    if (lineEnd >= 0) {
        m_out.append("\r\n");
        m_crLfWrittenAt = lineEnd;
    }
    m_out.append('}');
    m_wordPending = false;
    m_written = outside;
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
    // Only \plain takes a stated language back to the document's.
    if (format.language == 0 && old.language != 0) {
        writeWord("plain");
        resetToPlain();
    }
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
    if (format.strike != old.strike)
        writeWord(format.strike ? "strike" : "strike0");
    if (format.colour != old.colour)
        writeWord("cf", colourNumber(format.colour));
    if (format.background && format.background != old.background)
        writeWord("highlight", colourNumber(format.background));
    if (format.offset != old.offset) {
        if (format.offset >= 0)
            writeWord("up", format.offset);
        else
            writeWord("dn", -format.offset);
    }
    if (format.script != old.script)
        writeWord(format.script == Script::Super ? "super" : format.script == Script::Sub ? "sub" : "nosupersub");
    if (format.kerning != old.kerning)
        writeWord("kerning", format.kerning);
    if (format.language != old.language)
        writeWord("lang", format.language);
    m_written.font = font;
    old = format;
}

void RtfWriter::writeText(QStringView text, int codePage)
{
    static const char hexDigits[] = "0123456789abcdef";
    const bool windows1252 = codePage == CodePage::Windows1252;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
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
        const int byte = c >= 0x80 && windows1252 ? unicodeToCp1252(c) : -1;
        if (byte >= 0x80) {
            m_out.append("\\'").append(hexDigits[byte >> 4]).append(hexDigits[byte & 0xF]);
        } else {
            // Controls, lone CR and LF included, and everything beyond the font's code page.
            const int value = c > 0x7FFF ? int(c) - 0x10000 : int(c);
            m_out.append("\\u").append(QByteArray::number(value)).append('?');
        }
        m_wordPending = false;
    }
}

QByteArray writeRtf(const RichDocument &document)
{
    return RtfWriter(document).write();
}

} // namespace tallimark
