#include "rtfreader.h"

#include "rtfsink.h"

#include <string_view>
#include <unordered_map>

namespace tallimark {

namespace {

enum class Word {
    Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont, UnicodeSkip, Unicode,
    FontTable, ColourTable, SkippedDestination,
    Font, FontCharset, FontCodePage, Red, Green, Blue,
    Plain, FontSize, Bold, Italic, Underline, UnderlineNone, Hidden, Colour, Background,
    Up, Down, Kerning,
    ParagraphBreak, Tab, Cell, Row, NestedRow, NestedTableProperties, Character,
};

struct WordInfo
{
    Word word;
    char16_t character = 0; // for Word::Character
};

const std::unordered_map<std::string_view, WordInfo> &wordTable()
{
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t;
        t.emplace("ansi", WordInfo{Word::Ansi});
        t.emplace("mac", WordInfo{Word::Mac});
        t.emplace("pc", WordInfo{Word::Pc});
        t.emplace("pca", WordInfo{Word::Pca});
        t.emplace("ansicpg", WordInfo{Word::AnsiCodePage});
        t.emplace("deff", WordInfo{Word::DefaultFont});
        t.emplace("uc", WordInfo{Word::UnicodeSkip});
        t.emplace("u", WordInfo{Word::Unicode});
        t.emplace("fonttbl", WordInfo{Word::FontTable});
        t.emplace("colortbl", WordInfo{Word::ColourTable});
        // Destinations whose content is not part of the document's text.
        for (const char *name : {"stylesheet", "info", "pict", "objdata", "objclass", "objname",
                                 "header", "headerl", "headerr", "headerf", "footer", "footerl",
                                 "footerr", "footerf", "footnote", "pntext", "listtext", "pn",
                                 "fldinst", "listtable", "listoverridetable", "revtbl", "rsidtbl",
                                 "xe", "tc", "tcn", "bkmkstart", "bkmkend", "annotation", "atnid",
                                 "atnauthor", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc",
                                 "aftncn", "template", "filetbl", "nonesttables", "themedata",
                                 "colorschememapping", "latentstyles", "datastore", "generator",
                                 "userprops", "docvar", "private", "xmlnstbl", "mmathPr",
                                 "pgdsctbl", "listpicture", "fchars", "lchars", "do", "shpinst",
                                 "nonshppict", "datafield", "fldtype", "txe", "rxe", "falt",
                                 "panose", "keycode", "comment"}) {
            t.emplace(name, WordInfo{Word::SkippedDestination});
        }
        t.emplace("f", WordInfo{Word::Font});
        t.emplace("fcharset", WordInfo{Word::FontCharset});
        t.emplace("cpg", WordInfo{Word::FontCodePage});
        t.emplace("red", WordInfo{Word::Red});
        t.emplace("green", WordInfo{Word::Green});
        t.emplace("blue", WordInfo{Word::Blue});
        t.emplace("plain", WordInfo{Word::Plain});
        t.emplace("fs", WordInfo{Word::FontSize});
        t.emplace("b", WordInfo{Word::Bold});
        t.emplace("i", WordInfo{Word::Italic});
        for (const char *name : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                 "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                                 "ulthldash", "ululdbwave", "ulw", "ulwave"}) {
            t.emplace(name, WordInfo{Word::Underline});
        }
        t.emplace("ulnone", WordInfo{Word::UnderlineNone});
        t.emplace("v", WordInfo{Word::Hidden});
        t.emplace("cf", WordInfo{Word::Colour});
        t.emplace("highlight", WordInfo{Word::Background});
        t.emplace("chcbpat", WordInfo{Word::Background});
        t.emplace("cb", WordInfo{Word::Background});
        t.emplace("up", WordInfo{Word::Up});
        t.emplace("dn", WordInfo{Word::Down});
        t.emplace("kerning", WordInfo{Word::Kerning});
        for (const char *name : {"par", "line", "sect", "page"})
            t.emplace(name, WordInfo{Word::ParagraphBreak});
        t.emplace("tab", WordInfo{Word::Tab});
        t.emplace("cell", WordInfo{Word::Cell});
        t.emplace("nestcell", WordInfo{Word::Cell});
        t.emplace("row", WordInfo{Word::Row});
        t.emplace("nestrow", WordInfo{Word::NestedRow});
        t.emplace("nesttableprops", WordInfo{Word::NestedTableProperties});
        t.emplace("emdash", WordInfo{Word::Character, 0x2014});
        t.emplace("endash", WordInfo{Word::Character, 0x2013});
        t.emplace("lquote", WordInfo{Word::Character, 0x2018});
        t.emplace("rquote", WordInfo{Word::Character, 0x2019});
        t.emplace("ldblquote", WordInfo{Word::Character, 0x201C});
        t.emplace("rdblquote", WordInfo{Word::Character, 0x201D});
        t.emplace("bullet", WordInfo{Word::Character, 0x2022});
        t.emplace("emspace", WordInfo{Word::Character, 0x2003});
        t.emplace("enspace", WordInfo{Word::Character, 0x2002});
        t.emplace("qmspace", WordInfo{Word::Character, 0x2005});
        return t;
    }();
    return table;
}

bool switchedOn(const RtfToken &token) { return !token.hasParameter || token.parameter != 0; }

} // namespace

RtfReader::RtfReader(RtfSink &sink) : m_sink(sink)
{
    m_stack.reserve(64);
}

void RtfReader::read(QByteArrayView rtf)
{
    RtfTokenizer tokenizer(rtf);
    bool documentOpen = true;
    while (documentOpen) {
        const RtfToken token = tokenizer.next();
        switch (token.kind) {
        case RtfToken::End:
            documentOpen = false;
            break;
        case RtfToken::GroupStart:
            startGroup();
            break;
        case RtfToken::GroupEnd:
            documentOpen = endGroup();
            break;
        case RtfToken::Text:
            readText(token.bytes);
            break;
        case RtfToken::HexByte:
            readHexByte(token.symbol);
            break;
        case RtfToken::ControlWord:
            if (!consumeFallback())
                readControlWord(token);
            break;
        case RtfToken::ControlSymbol:
            if (!consumeFallback())
                readControlSymbol(token.symbol);
            break;
        case RtfToken::Binary:
            consumeFallback();
            break;
        }
    }
    // A truncated file keeps what was read so far.
    flushBytes();
    if (m_state.destination == RtfDestination::FontTable)
        commitFont();
    const auto font = m_fonts.constFind(m_defaultFont);
    if (font != m_fonts.constEnd() && !font->name.isEmpty())
        m_sink.setDefaultFontName(font->name);
    m_sink.finish();
}

void RtfReader::startGroup()
{
    flushBytes();
    m_fallbackToSkip = 0;
    if (m_stack.size() >= size_t(maxGroupDepth)) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(m_state);
}

bool RtfReader::endGroup()
{
    flushBytes();
    m_fallbackToSkip = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return true;
    }
    if (m_stack.empty())
        return true; // a stray brace before the document's group
    if (m_state.destination == RtfDestination::FontTable)
        commitFont();
    m_state = m_stack.back();
    m_stack.pop_back();
    return !m_stack.empty();
}

bool RtfReader::consumeFallback()
{
    if (m_fallbackToSkip <= 0)
        return false;
    --m_fallbackToSkip;
    return true;
}

bool RtfReader::takesText() const
{
    return m_state.destination == RtfDestination::Text && !m_state.chars.hidden;
}

void RtfReader::readText(std::string_view bytes)
{
    if (m_fallbackToSkip > 0) {
        const size_t skipped = std::min(bytes.size(), size_t(m_fallbackToSkip));
        bytes.remove_prefix(skipped);
        m_fallbackToSkip -= int(skipped);
        if (bytes.empty())
            return;
    }
    switch (m_state.destination) {
    case RtfDestination::Text:
        if (!m_state.chars.hidden)
            m_pendingBytes.append(bytes);
        break;
    case RtfDestination::FontTable:
        readFontTableText(bytes);
        break;
    case RtfDestination::ColourTable:
        readColourTableText(bytes);
        break;
    case RtfDestination::Skipped:
    case RtfDestination::NestedRowEnd:
        break;
    }
}

void RtfReader::readHexByte(char byte)
{
    if (consumeFallback())
        return;
    if (m_state.destination == RtfDestination::FontTable)
        readFontTableText(std::string_view(&byte, 1));
    else if (takesText())
        m_pendingBytes.push_back(byte);
}

void RtfReader::readControlSymbol(char symbol)
{
    if (symbol == '\\' || symbol == '{' || symbol == '}') {
        readText(std::string_view(&symbol, 1));
        return;
    }
    flushBytes();
    switch (symbol) {
    case '*':
        m_state.destination = RtfDestination::Skipped;
        break;
    case '~':
        if (takesText())
            appendCharacter(0x00A0);
        break;
    case '_':
        if (takesText())
            appendCharacter(0x2011);
        break;
    case '-':
        if (takesText())
            appendCharacter(0x00AD);
        break;
    case '\r':
    case '\n':
        // "\" at the end of a source line is a paragraph break (TextEdit writes them).
        if (takesText())
            appendParagraphBreak();
        break;
    case '\t':
        if (takesText())
            appendCharacter(9);
        break;
    default:
        // \: (index subentry), \| and unknown symbols show nothing.
        break;
    }
}

void RtfReader::readControlWord(const RtfToken &token)
{
    flushBytes();
    const auto &table = wordTable();
    const auto found = table.find(token.name);
    if (found == table.end())
        return;
    const WordInfo info = found->second;
    RtfCharState &chars = m_state.chars;
    const int parameter = token.parameter;

    switch (info.word) {
    case Word::Ansi:
        m_documentCodePage = CodePage::Windows1252;
        m_resolvedValid = false;
        break;
    case Word::Mac:
        m_documentCodePage = CodePage::MacRoman;
        m_resolvedValid = false;
        break;
    case Word::Pc:
        m_documentCodePage = CodePage::Oem437;
        m_resolvedValid = false;
        break;
    case Word::Pca:
        m_documentCodePage = CodePage::Oem850;
        m_resolvedValid = false;
        break;
    case Word::AnsiCodePage:
        if (parameter > 0) {
            m_documentCodePage = parameter;
            m_resolvedValid = false;
        }
        break;
    case Word::DefaultFont:
        m_defaultFont = parameter;
        m_resolvedValid = false;
        break;
    case Word::UnicodeSkip:
        m_state.unicodeSkip = qBound(0, parameter, 0xFFFF);
        break;
    case Word::Unicode:
        if (takesText()) {
            appendUnicode(parameter);
        } else if (m_state.destination == RtfDestination::FontTable && parameter != 0) {
            decodeFontNameBytes();
            m_fontName.append(QChar(char16_t(parameter < 0 ? parameter + 0x10000 : parameter)));
        }
        m_fallbackToSkip = m_state.unicodeSkip;
        break;
    case Word::FontTable:
        m_state.destination = RtfDestination::FontTable;
        break;
    case Word::ColourTable:
        m_state.destination = RtfDestination::ColourTable;
        m_colours.clear();
        m_resolvedValid = false;
        break;
    case Word::SkippedDestination:
        m_state.destination = RtfDestination::Skipped;
        break;
    case Word::Font:
        if (m_state.destination == RtfDestination::FontTable) {
            if (m_fontNumber || !m_fontName.isEmpty() || !m_fontNameBytes.isEmpty())
                commitFont();
            m_fontNumber = parameter;
        } else {
            chars.font = parameter;
        }
        break;
    case Word::FontCharset:
        m_fontCharset = parameter;
        break;
    case Word::FontCodePage:
        m_fontCodePage = parameter;
        break;
    case Word::Red:
        m_red = qBound(0, parameter, 255);
        break;
    case Word::Green:
        m_green = qBound(0, parameter, 255);
        break;
    case Word::Blue:
        m_blue = qBound(0, parameter, 255);
        break;
    case Word::Plain:
        chars = RtfCharState{};
        break;
    case Word::FontSize:
        chars.fontSize = parameter > 0 ? qMin(parameter, 3276) : 24;
        break;
    case Word::Bold:
        chars.bold = switchedOn(token);
        break;
    case Word::Italic:
        chars.italic = switchedOn(token);
        break;
    case Word::Underline:
        chars.underline = switchedOn(token);
        break;
    case Word::UnderlineNone:
        chars.underline = false;
        break;
    case Word::Hidden:
        chars.hidden = switchedOn(token);
        break;
    case Word::Colour:
        chars.colour = parameter;
        break;
    case Word::Background:
        chars.background = parameter;
        break;
    case Word::Up:
        chars.offset = token.hasParameter ? qBound(-3276, parameter, 3276) : 6;
        break;
    case Word::Down:
        chars.offset = -(token.hasParameter ? qBound(-3276, parameter, 3276) : 6);
        break;
    case Word::Kerning:
        chars.kerning = qBound(0, parameter, 3276);
        break;
    case Word::ParagraphBreak:
        if (takesText())
            appendParagraphBreak();
        break;
    case Word::Row:
        if (takesText()) {
            appendCharacter(13);
            appendCharacter(10);
        }
        break;
    case Word::NestedTableProperties:
        // Word writes the end of a nested row inside this ignorable group.
        if (!m_stack.empty() && m_stack.back().destination == RtfDestination::Text)
            m_state.destination = RtfDestination::NestedRowEnd;
        break;
    case Word::NestedRow:
        if (takesText() || (m_state.destination == RtfDestination::NestedRowEnd && !chars.hidden)) {
            appendCharacter(13);
            appendCharacter(10);
        }
        break;
    case Word::Tab:
    case Word::Cell:
        if (takesText())
            appendCharacter(9);
        break;
    case Word::Character:
        if (takesText())
            appendCharacter(info.character);
        break;
    }
}

void RtfReader::appendUnicode(int value)
{
    if (value < 0)
        value += 0x10000;
    if (value < 0)
        return;
    if (value <= 0xFFFF) {
        appendCharacter(char16_t(value));
    } else if (value <= 0x10FFFF) {
        const char32_t codePoint = char32_t(value);
        appendCharacter(QChar::highSurrogate(codePoint));
        appendCharacter(QChar::lowSurrogate(codePoint));
    } else {
        appendCharacter(0xFFFD);
    }
}

void RtfReader::appendParagraphBreak()
{
    flushBytes();
    m_sink.appendParagraphBreak(currentFormat());
}

void RtfReader::appendCharacter(char16_t character)
{
    flushBytes();
    m_sink.append(QStringView(&character, 1), currentFormat());
}

quint16 RtfReader::currentFormat()
{
    const RtfCharState &chars = m_state.chars;
    if (m_resolvedValid && chars == m_resolvedChars)
        return m_resolvedFormat;

    CharFormat format;
    const auto font = m_fonts.constFind(chars.font < 0 ? m_defaultFont : chars.font);
    int codePage = 0;
    if (font != m_fonts.constEnd()) {
        format.fontName = font->name;
        codePage = font->codePage;
    }
    format.fontSizeHalfPoints = chars.fontSize;
    format.bold = chars.bold;
    format.italic = chars.italic;
    format.underline = chars.underline;
    if (chars.colour >= 0 && chars.colour < m_colours.size())
        format.colour = m_colours[chars.colour];
    if (chars.background >= 0 && chars.background < m_colours.size()) {
        format.background = m_colours[chars.background];
        if (format.background == White)
            format.background.reset(); // a white highlight is no highlight
    }
    format.offset = chars.offset;
    format.kerning = chars.kerning;

    m_resolvedChars = chars;
    m_resolvedFormat = m_sink.formatIndex(format);
    m_resolvedCodePage = codePage != 0 ? codePage : m_documentCodePage;
    m_resolvedValid = true;
    return m_resolvedFormat;
}

void RtfReader::flushBytes()
{
    if (m_pendingBytes.empty())
        return;
    const quint16 format = currentFormat();
    m_decoded.clear();
    m_decoder.decode(QByteArrayView(m_pendingBytes.data(), qsizetype(m_pendingBytes.size())),
                     m_resolvedCodePage, m_decoded);
    m_pendingBytes.clear();
    m_sink.append(m_decoded, format);
}

void RtfReader::readFontTableText(std::string_view bytes)
{
    while (!bytes.empty()) {
        const size_t end = bytes.find(';');
        m_fontNameBytes.append(bytes.data(), qsizetype(std::min(end, bytes.size())));
        if (end == std::string_view::npos)
            return;
        commitFont();
        bytes.remove_prefix(end + 1);
    }
}

int RtfReader::fontEntryCodePage() const
{
    if (m_fontCodePage > 0)
        return m_fontCodePage;
    return m_fontCharset >= 0 ? codePageOfCharset(m_fontCharset) : 0;
}

void RtfReader::decodeFontNameBytes()
{
    const int codePage = fontEntryCodePage();
    m_decoder.decode(m_fontNameBytes, codePage > 0 ? codePage : m_documentCodePage, m_fontName);
    m_fontNameBytes.clear();
}

void RtfReader::commitFont()
{
    if (m_fontNumber) {
        decodeFontNameBytes();
        // A name can never hold what ends it in the table; \uN could still put it there.
        m_fontName.removeIf([](QChar c) { return c.unicode() < 0x20 || c == u';' || c.isSurrogate(); });
        FontEntry entry;
        entry.codePage = fontEntryCodePage();
        entry.name = m_fontName.trimmed();
        if (m_fonts.size() < maxTableEntries || m_fonts.contains(*m_fontNumber))
            m_fonts.insert(*m_fontNumber, entry);
        m_resolvedValid = false;
    }
    m_fontNumber.reset();
    m_fontCharset = -1;
    m_fontCodePage = 0;
    m_fontNameBytes.clear();
    m_fontName.clear();
}

void RtfReader::readColourTableText(std::string_view bytes)
{
    for (char c : bytes) {
        if (c != ';' || m_colours.size() >= maxTableEntries)
            continue;
        if (m_red < 0 && m_green < 0 && m_blue < 0)
            m_colours.append(std::nullopt); // the "automatic" entry
        else
            m_colours.append(Colour(qMax(m_red, 0)) | Colour(qMax(m_green, 0)) << 8 | Colour(qMax(m_blue, 0)) << 16);
        m_red = m_green = m_blue = -1;
        m_resolvedValid = false;
    }
}

} // namespace tallimark
