#include "rtfreader.h"

#include "rtfsink.h"

#include "layoutwords.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace tallimark {

namespace {

enum class Word {
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    UnicodeSkip,
    Unicode,
    FontTable,
    ColourTable,
    SkippedDestination,
    Font,
    FontCharset,
    FontCodePage,
    FontAttribute,
    Red,
    Green,
    Blue,
    Plain,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Hidden,
    Colour,
    Background,
    Up,
    Down,
    Kerning,
    Strike,
    Super,
    Sub,
    NoSuperSub,
    Language,
    ParagraphBreak,
    LineBreak,
    SectionBreak,
    PageBreak,
    Tab,
    Cell,
    NestedCell,
    Row,
    NestedRow,
    NestedTableProperties,
    Character,
    ParagraphReset,
    Align,
    ParagraphNumber,
    LineMultiple,
    Keep,
    KeepNext,
    TabKind,
    TabPosition,
    BarTab,
    ParagraphOther,
    BorderSide,
    RowWord,
    RowBorderSide,
    SectionReset,
    SectionNumber,
    SectionLandscape,
    SectionColumns,
    SectionOther,
    DocumentNumber,
    DocumentLandscape,
    DocumentOther,
    KeptBraces,
    KeptBracesWord,
    KeptWord,
};

struct WordInfo
{
    Word word;
    char16_t character = 0; // for Word::Character and Word::Align; the table index of numbers
};

// Destinations that belong before the text: written back in the header, not at a text position.
bool isHeaderDestination(std::string_view name)
{
    static const std::unordered_set<std::string_view> names = {"stylesheet",   "info",
                                                               "listtable",    "listoverridetable",
                                                               "revtbl",       "rsidtbl",
                                                               "generator",    "xmlnstbl",
                                                               "themedata",    "colorschememapping",
                                                               "latentstyles", "datastore",
                                                               "filetbl",      "pgdsctbl",
                                                               "mmathPr",      "userprops",
                                                               "docvar",       "private",
                                                               "defchp",       "defpap",
                                                               "template",     "ftnsep",
                                                               "ftnsepc",      "aftnsep",
                                                               "aftnsepc",     "ftncn",
                                                               "aftncn",       "wgrffmtfilter",
                                                               "fchars",       "lchars",
                                                               "protusertbl",  "passwordhash"};
    return names.contains(name);
}

const std::unordered_map<std::string_view, WordInfo> &wordTable()
{
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t;
        const auto add = [&t](std::initializer_list<const char *> names, Word word, char16_t value = 0) {
            for (const char *name : names)
                t.emplace(name, WordInfo{word, value});
        };
        add({"ansi"}, Word::Ansi);
        add({"mac"}, Word::Mac);
        add({"pc"}, Word::Pc);
        add({"pca"}, Word::Pca);
        add({"ansicpg"}, Word::AnsiCodePage);
        add({"deff"}, Word::DefaultFont);
        add({"uc"}, Word::UnicodeSkip);
        add({"u"}, Word::Unicode);
        add({"fonttbl"}, Word::FontTable);
        add({"colortbl"}, Word::ColourTable);
        // Destinations whose content is not part of the document's text.
        add({"stylesheet",
             "info",
             "pict",
             "objdata",
             "objclass",
             "objname",
             "header",
             "headerl",
             "headerr",
             "headerf",
             "footer",
             "footerl",
             "footerr",
             "footerf",
             "footnote",
             "pntext",
             "pn",
             "fldinst",
             "listtable",
             "listoverridetable",
             "revtbl",
             "rsidtbl",
             "xe",
             "tc",
             "tcn",
             "bkmkstart",
             "bkmkend",
             "annotation",
             "atnid",
             "atnauthor",
             "ftnsep",
             "ftnsepc",
             "ftncn",
             "aftnsep",
             "aftnsepc",
             "aftncn",
             "template",
             "filetbl",
             "nonesttables",
             "themedata",
             "colorschememapping",
             "latentstyles",
             "datastore",
             "generator",
             "userprops",
             "docvar",
             "private",
             "xmlnstbl",
             "mmathPr",
             "pgdsctbl",
             "listpicture",
             "fchars",
             "lchars",
             "do",
             "shpinst",
             "nonshppict",
             "datafield",
             "fldtype",
             "txe",
             "rxe",
             "falt",
             "panose",
             "keycode",
             "comment",
             "listtext",
             "shppict",
             "pnseclvl",
             "defchp",
             "defpap",
             "wgrffmtfilter"},
            Word::SkippedDestination);
        add({"f"}, Word::Font);
        add({"fcharset"}, Word::FontCharset);
        add({"cpg"}, Word::FontCodePage);
        add({"fnil", "froman", "fswiss", "fmodern", "fscript", "fdecor", "ftech", "fbidi", "fprq"},
            Word::FontAttribute);
        add({"red"}, Word::Red);
        add({"green"}, Word::Green);
        add({"blue"}, Word::Blue);
        add({"plain"}, Word::Plain);
        add({"fs"}, Word::FontSize);
        add({"b"}, Word::Bold);
        add({"i"}, Word::Italic);
        add({"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd", "ulthdash",
             "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"},
            Word::Underline);
        add({"ulnone"}, Word::UnderlineNone);
        add({"v"}, Word::Hidden);
        add({"cf"}, Word::Colour);
        add({"highlight", "chcbpat", "cb"}, Word::Background);
        add({"up"}, Word::Up);
        add({"dn"}, Word::Down);
        add({"kerning"}, Word::Kerning);
        add({"strike", "striked"}, Word::Strike);
        add({"super"}, Word::Super);
        add({"sub"}, Word::Sub);
        add({"nosupersub"}, Word::NoSuperSub);
        add({"lang"}, Word::Language);
        add({"par"}, Word::ParagraphBreak);
        add({"line"}, Word::LineBreak);
        add({"sect"}, Word::SectionBreak);
        add({"page"}, Word::PageBreak);
        add({"tab"}, Word::Tab);
        add({"cell"}, Word::Cell);
        add({"nestcell"}, Word::NestedCell);
        add({"row"}, Word::Row);
        add({"nestrow"}, Word::NestedRow);
        add({"nesttableprops"}, Word::NestedTableProperties);
        add({"emdash"}, Word::Character, 0x2014);
        add({"endash"}, Word::Character, 0x2013);
        add({"lquote"}, Word::Character, 0x2018);
        add({"rquote"}, Word::Character, 0x2019);
        add({"ldblquote"}, Word::Character, 0x201C);
        add({"rdblquote"}, Word::Character, 0x201D);
        add({"bullet"}, Word::Character, 0x2022);
        add({"emspace"}, Word::Character, 0x2003);
        add({"enspace"}, Word::Character, 0x2002);
        add({"qmspace"}, Word::Character, 0x2005);

        add({"pard"}, Word::ParagraphReset);
        add({"ql"}, Word::Align, char16_t(Alignment::Left));
        add({"qc"}, Word::Align, char16_t(Alignment::Centre));
        add({"qr"}, Word::Align, char16_t(Alignment::Right));
        add({"qj"}, Word::Align, char16_t(Alignment::Justified));
        add({"qd"}, Word::Align, char16_t(Alignment::Distributed));
        const auto paragraphNumbers = layoutwords::paragraphNumbers();
        for (size_t i = 0; i < paragraphNumbers.size(); ++i)
            add({paragraphNumbers[i].name}, Word::ParagraphNumber, char16_t(i));
        add({"slmult"}, Word::LineMultiple);
        add({"keep"}, Word::Keep);
        add({"keepn"}, Word::KeepNext);
        add({"tql", "tqr", "tqc", "tqdec", "tldot", "tlmdot", "tlhyph", "tlul", "tlth", "tleq"}, Word::TabKind);
        add({"tx"}, Word::TabPosition);
        add({"tb"}, Word::BarTab);
        add({"s",
             "intbl",
             "itap",
             "ls",
             "ilvl",
             "outlinelevel",
             "widctlpar",
             "nowidctlpar",
             "pagebb",
             "noline",
             "hyphpar",
             "contextualspace",
             "sbauto",
             "saauto",
             "faauto",
             "fahang",
             "facenter",
             "faroman",
             "favar",
             "fafixed",
             "adjustright",
             "aspalpha",
             "aspnum",
             "nooverflow",
             "nocwrap",
             "nosnaplinegrid",
             "rtlpar",
             "ltrpar",
             "shading",
             "cfpat",
             "cbpat",
             "bghoriz",
             "bgvert",
             "bgfdiag",
             "bgbdiag",
             "bgcross",
             "bgdcross",
             "bgdkhoriz",
             "bgdkvert",
             "bgdkfdiag",
             "bgdkbdiag",
             "bgdkcross",
             "bgdkdcross",
             "yts",
             "mirrorindents",
             "indmirror",
             "pnrnot",
             "ilfomacatclnup",
             "spv"},
            Word::ParagraphOther);
        add({"brdrt", "brdrb", "brdrl", "brdrr", "brdrbtw", "brdrbar", "box"}, Word::BorderSide);
        add({"trowd", "cellx", "irow", "irowband", "lastrow", "ts", "tblind", "tblindtype", "ltrrow", "rtlrow",
             "tabsnoovrlp", "taprtl"},
            Word::RowWord);
        add({"sectd"}, Word::SectionReset);
        const auto sectionNumbers = layoutwords::sectionNumbers();
        for (size_t i = 0; i < sectionNumbers.size(); ++i)
            add({sectionNumbers[i].name}, Word::SectionNumber, char16_t(i));
        add({"lndscpsxn"}, Word::SectionLandscape);
        add({"cols"}, Word::SectionColumns);
        add({"sbknone", "sbkcol",   "sbkpage",    "sbkodd",       "sbkeven",       "guttersxn",    "headery",
             "footery", "titlepg",  "pgnstarts",  "pgncont",      "pgnrestart",    "pgndec",       "pgnucrm",
             "pgnlcrm", "pgnucltr", "pgnlcltr",   "vertalt",      "vertalc",       "vertalj",      "vertalb",
             "linemod", "linex",    "linestarts", "linerestart",  "lineppage",     "linecont",     "linebetcol",
             "colno",   "colsr",    "colw",       "sectlinegrid", "sectdefaultcl", "sectunlocked", "endnhere",
             "rtlsect", "ltrsect",  "sftnbj",     "sftnrstpg",    "sftnrstcont"},
            Word::SectionOther);
        const auto documentNumbers = layoutwords::documentNumbers();
        for (size_t i = 0; i < documentNumbers.size(); ++i)
            add({documentNumbers[i].name}, Word::DocumentNumber, char16_t(i));
        add({"landscape"}, Word::DocumentLandscape);
        add({"widowctrl",
             "facingp",
             "margmirror",
             "ftnbj",
             "ftntj",
             "aenddoc",
             "aendnotes",
             "enddoc",
             "endnotes",
             "ftnrstpg",
             "ftnrestart",
             "ftnrstcont",
             "ftnnar",
             "ftnnalc",
             "ftnnauc",
             "ftnnrlc",
             "ftnnruc",
             "aftnnar",
             "aftnnrlc",
             "hyphauto",
             "hyphhotz",
             "hyphconsec",
             "hyphcaps",
             "formshade",
             "fet",
             "viewscale",
             "viewzk",
             "pgbrdrhead",
             "pgbrdrfoot",
             "dntblnsbdb",
             "nospaceforul",
             "rtldoc",
             "ltrdoc",
             "horzdoc",
             "vertdoc",
             "psz",
             "jexpand",
             "noxlattoyen",
             "expshrtn",
             "dghspace",
             "dgvspace",
             "dghorigin",
             "dgvorigin",
             "dghshow",
             "dgvshow",
             "dgmargin",
             "splytwnine",
             "ftnlytwnine",
             "htmautsp",
             "useltbaln",
             "alntblind",
             "lytcalctblwd",
             "lyttblrtgr",
             "lnbrkrule",
             "nobrkwrptbl",
             "snaptogridincell",
             "allowfieldendsel",
             "wrppunct",
             "asianbrkrule",
             "newtblstyruls",
             "nogrowautofit",
             "utinl",
             "nolnhtadjtbl",
             "notabind",
             "bdrrlswsix",
             "donotembedsysfont",
             "donotembedlingdata",
             "grfdocevents",
             "themelang",
             "themelangfe",
             "themelangcs",
             "validatexml",
             "showxmlerrors",
             "noxmlmismatch",
             "stylelock",
             "stylelockenforced",
             "trackmoves",
             "trackformatting",
             "relyonvml",
             "saveinvalidxml",
             "ignoremixedcontent",
             "showplaceholdtext",
             "stylesortmethod",
             "pgnstart",
             "linestart"},
            Word::DocumentOther);
        add({"field", "fldrslt", "object", "result", "shp", "shprslt"}, Word::KeptBraces);
        add({"flddirty",  "fldedit",   "fldlock",  "fldpriv",  "objemb",   "objlink",  "objautlink",
             "objsub",    "objpub",    "objicemb", "objhtml",  "objocx",   "objw",     "objh",
             "objscalex", "objscaley", "objcropl", "objcropr", "objcropt", "objcropb", "objsetsize",
             "objupdate", "rsltpict",  "rsltrtf",  "rslttxt",  "rslthtml", "rsltbmp",  "rsltmerge"},
            Word::KeptBracesWord);
        add({"column", "chftn", "chpgn", "chdate", "chtime", "chatn", "sectnum", "softline", "softpage", "softcol"},
            Word::KeptWord);
        return t;
    }();
    return table;
}

bool switchedOn(const RtfToken &token)
{
    return !token.hasParameter || token.parameter != 0;
}

} // namespace

RtfReader::RtfReader(RtfSink &sink) : m_sink(sink)
{
    m_stack.reserve(64);
}

void RtfReader::read(QByteArrayView rtf)
{
    RtfTokenizer tokenizer(rtf);
    m_tokenizer = &tokenizer;
    m_input = rtf;
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
            m_afterStar = false;
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
    flushRowWords();
    if (m_state.destination == RtfDestination::FontTable)
        commitFont();
    const auto font = m_fonts.constFind(m_defaultFont);
    if (font != m_fonts.constEnd() && !font->name.isEmpty())
        m_sink.setDefaultFontName(font->name);
    DocumentLayout &layout = m_sink.layout();
    layout.document = m_document;
    layout.headerGroups = m_headerGroups;
    layout.codePage = m_documentCodePage;
    layout.defaultFontNumber = m_defaultFont;
    layout.fonts = m_fonts;
    layout.colours = m_colours;
    m_sink.finish(m_lastParagraph ? *m_lastParagraph : currentParagraph(), m_section);
    m_tokenizer = nullptr;
}

void RtfReader::startGroup()
{
    flushBytes();
    m_fallbackToSkip = 0;
    m_afterStar = false;
    if (m_stack.size() >= size_t(maxGroupDepth)) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(m_state);
    m_state.keptWhole = false;
    m_state.keptBraces = false;
    m_state.takesOwnWords = false;
    m_state.groupStart = m_tokenizer->position() - 1;
    m_state.textAtStart = textMark();
    m_state.layoutKeptAtStart = m_layoutKept;
    m_state.keptPosition = m_sink.length();
    m_state.destinationName = {};
}

bool RtfReader::endGroup()
{
    flushBytes();
    m_fallbackToSkip = 0;
    m_afterStar = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return true;
    }
    if (m_stack.empty())
        return true; // a stray brace before the document's group
    if (m_state.destination == RtfDestination::FontTable)
        commitFont();
    if (m_stack.size() == 1)
        m_lastParagraph = currentParagraph(); // the document's group: its last paragraph ends here
    const RtfGroupState closed = std::move(m_state);
    m_state = std::move(m_stack.back());
    m_stack.pop_back();
    if (closed.keptWhole)
        keepGroup(closed);
    else if (closed.keptBraces) {
        flushRowWords();
        m_sink.keep(KeptRtf::Closing, "}");
    }
    return !m_stack.empty();
}

void RtfReader::keepGroup(const RtfGroupState &closed)
{
    const qsizetype end = m_tokenizer->position();
    const QByteArray bytes = m_input.sliced(closed.groupStart, end - closed.groupStart).toByteArray();
    // Only before the body: the writer puts header groups before its own first paragraph, so
    // that a group reads back where it was.
    const bool inHeader = m_stack.size() == 1 && !m_bodyStarted
        && (isHeaderDestination(closed.destinationName) || !wordTable().contains(closed.destinationName));
    if (inHeader) {
        m_headerGroups.append(bytes);
        return;
    }
    flushRowWords();
    m_sink.keepAt(closed.keptPosition, KeptRtf::Group, bytes);
    ++m_layoutKept;
}

void RtfReader::enterDestination(RtfDestination destination, std::string_view name)
{
    // Never the document's own group (the stack then holds only the state outside it).
    if (m_state.destination == RtfDestination::Text && m_stack.size() >= 2
        && m_stack.back().destination == RtfDestination::Text && !m_state.keptBraces
        && textMark() == m_state.textAtStart && m_layoutKept == m_state.layoutKeptAtStart
        && destination != RtfDestination::FontTable && destination != RtfDestination::ColourTable) {
        m_state.keptWhole = true;
    }
    // A group around a table is never kept whole: read again after the writer's own tables, it
    // would state them again.
    if (destination == RtfDestination::FontTable || destination == RtfDestination::ColourTable)
        ++m_layoutKept;
    m_state.destination = destination;
    if (!name.empty())
        m_state.destinationName = name;
}

qsizetype RtfReader::textMark() const
{
    return m_sink.length() + m_hiddenText;
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
        else
            m_hiddenText += qsizetype(bytes.size());
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
    else if (inBody())
        ++m_hiddenText;
}

void RtfReader::readControlSymbol(char symbol)
{
    m_afterStar = false;
    if (symbol == '\\' || symbol == '{' || symbol == '}') {
        readText(std::string_view(&symbol, 1));
        return;
    }
    flushBytes();
    // Hidden text, as any other: a group that has some is never kept whole, since it would
    // show the text where the writer puts it.
    if (inBody() && m_state.chars.hidden && std::string_view("~_-\r\n\t").find(symbol) != std::string_view::npos)
        ++m_hiddenText;
    switch (symbol) {
    case '*':
        enterDestination(RtfDestination::Skipped, {});
        m_afterStar = true;
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
            appendBreak(u"\r\n", Break::Text, true);
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

void RtfReader::readUnknownWord(const RtfToken &token)
{
    if (m_afterStar) {
        m_state.destinationName = token.name;
        return;
    }
    if (!inBody())
        return;
    // Table row and cell definitions: \trgaph, \trleft, \clvertalc, \clwWidth...
    const std::string_view name = token.name;
    if (name.starts_with("tr") || name.starts_with("cl") || name.starts_with("tp") || name.starts_with("tbl")
        || name.starts_with("tdfrmtxt")) {
        if (name.starts_with("trbrdr") || name.starts_with("clbrdr"))
            m_borderOwner = BorderOwner::Row;
        ++m_layoutKept;
        m_rowWords.append(layoutwords::controlWord(name, token.hasParameter, token.parameter));
    } else if (name.starts_with("brdr") || name == "brsp") {
        if (m_borderOwner == BorderOwner::Row) {
            layoutwords::appendControlWord(m_rowWords, name, token.hasParameter, token.parameter);
            ++m_layoutKept;
        } else
            addParagraphWord(token);
    }
}

void RtfReader::addParagraphWord(const RtfToken &token)
{
    QByteArray &words = m_state.paragraph.otherWords;
    if (words.size() + qsizetype(token.name.size()) + 12 > maxOtherWords)
        return;
    layoutwords::appendControlWord(words, token.name, token.hasParameter, token.parameter);
    changeParagraph();
}

void RtfReader::readLayoutWord(const RtfToken &token, int kind, char16_t value)
{
    const WordInfo info{Word(kind), value};
    const int parameter = token.parameter;
    const auto word = [&token] { return layoutwords::controlWord(token.name, token.hasParameter, token.parameter); };
    // Lengths in twips: a page is never wider than 22 inches, but keep any sane value.
    const int length = qBound(-1000000, parameter, 1000000);
    ParagraphFormat &paragraph = m_state.paragraph;

    switch (info.word) {
    case Word::ParagraphReset:
        paragraph = ParagraphFormat{};
        m_tabKindWords.clear();
        m_borderOwner = BorderOwner::Paragraph;
        m_bodyStarted = true;
        changeParagraph();
        return;
    case Word::Align:
        paragraph.alignment = Alignment(info.character);
        changeParagraph();
        return;
    case Word::ParagraphNumber: {
        const auto &number = layoutwords::paragraphNumbers()[info.character];
        paragraph.*number.field = length;
        if (number.field == &ParagraphFormat::leftIndent || number.field == &ParagraphFormat::rightIndent
            || number.field == &ParagraphFormat::firstLineIndent)
            paragraph.indentsStated = true;
        changeParagraph();
        return;
    }
    case Word::LineMultiple:
        paragraph.lineSpacingMultiple = switchedOn(token);
        changeParagraph();
        return;
    case Word::Keep:
        paragraph.keepTogether = switchedOn(token);
        changeParagraph();
        return;
    case Word::KeepNext:
        paragraph.keepWithNext = switchedOn(token);
        changeParagraph();
        return;
    case Word::TabKind:
        if (m_tabKindWords.size() < 64)
            m_tabKindWords.append(word());
        return;
    case Word::TabPosition:
    case Word::BarTab:
        if (paragraph.tabStops.size() < maxTabStops)
            paragraph.tabStops.append(TabStop{length, m_tabKindWords, info.word == Word::BarTab});
        m_tabKindWords.clear();
        changeParagraph();
        return;
    case Word::ParagraphOther:
        addParagraphWord(token);
        return;
    case Word::BorderSide:
        m_borderOwner = BorderOwner::Paragraph;
        addParagraphWord(token);
        return;
    case Word::RowWord:
        if (token.name == "trowd")
            m_borderOwner = BorderOwner::Row;
        m_rowWords.append(word());
        ++m_layoutKept;
        return;
    case Word::SectionReset:
        m_section = SectionFormat{};
        m_bodyStarted = true;
        return;
    case Word::SectionNumber:
        m_section.*layoutwords::sectionNumbers()[info.character].field = length;
        return;
    case Word::SectionLandscape:
        m_section.landscape = switchedOn(token);
        return;
    case Word::SectionColumns:
        m_section.columns = qBound(1, parameter, 99);
        return;
    case Word::SectionOther:
        if (m_section.otherWords.size() < maxOtherWords)
            m_section.otherWords.append(word());
        return;
    case Word::DocumentNumber:
        m_document.*layoutwords::documentNumbers()[info.character].field = length;
        return;
    case Word::DocumentLandscape:
        m_document.landscape = switchedOn(token);
        return;
    case Word::DocumentOther:
        if (m_document.otherWords.size() < maxOtherWords)
            m_document.otherWords.append(word());
        return;
    case Word::KeptBraces:
        if (textMark() == m_state.textAtStart && !m_state.keptBraces && !m_state.keptWhole && m_stack.size() >= 2) {
            flushRowWords();
            m_state.keptBraces = true;
            m_state.takesOwnWords = true;
            m_sink.keep(KeptRtf::Opening, "{" + word());
            ++m_layoutKept;
        }
        return;
    case Word::KeptBracesWord:
        if (m_state.takesOwnWords && textMark() == m_state.textAtStart)
            m_sink.appendToLastKept(word());
        return;
    case Word::KeptWord:
        flushRowWords();
        m_sink.keep(KeptRtf::Words, word());
        ++m_layoutKept;
        return;
    default:
        return;
    }
}

void RtfReader::readControlWord(const RtfToken &token)
{
    flushBytes();
    const auto &table = wordTable();
    const auto found = table.find(token.name);
    if (found == table.end()) {
        readUnknownWord(token);
        return;
    }
    const WordInfo info = found->second;
    if (m_afterStar)
        m_state.destinationName = token.name;
    if (inBody() && m_state.chars.hidden
        && (info.word == Word::Unicode || (info.word >= Word::ParagraphBreak && info.word <= Word::Character)))
        ++m_hiddenText;
    if (info.word >= Word::ParagraphReset) {
        if (inBody())
            readLayoutWord(token, int(info.word), info.character);
        return;
    }
    RtfCharState &chars = m_state.chars;
    const int parameter = token.parameter;
    // The document's code page and default font are stated outside skipped groups, which are
    // kept as written and read again after the writer's own statement of them.
    if (info.word <= Word::DefaultFont) {
        if (m_state.destination == RtfDestination::Skipped)
            return;
        ++m_layoutKept; // a group that states them is not kept whole: it would state them again
    }

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
            m_font.name.append(QChar(char16_t(parameter < 0 ? parameter + 0x10000 : parameter)));
        }
        m_fallbackToSkip = m_state.unicodeSkip;
        break;
    // Not a table inside a skipped group: that group is kept as written and read again after
    // the writer's own table, which it would replace. The Unicode font table of \upr is the
    // document's.
    case Word::FontTable:
        if (m_state.destination != RtfDestination::Skipped
            || (!m_stack.empty() && m_stack.back().destinationName == "ud"))
            enterDestination(RtfDestination::FontTable, token.name);
        break;
    case Word::ColourTable:
        if (m_state.destination == RtfDestination::Skipped)
            break;
        enterDestination(RtfDestination::ColourTable, token.name);
        m_colours.clear();
        m_resolvedValid = false;
        break;
    case Word::SkippedDestination:
        enterDestination(RtfDestination::Skipped, token.name);
        break;
    case Word::Font:
        if (m_state.destination == RtfDestination::FontTable) {
            if (m_font.number || !m_font.name.isEmpty() || !m_font.nameBytes.isEmpty())
                commitFont();
            m_font.number = parameter;
        } else {
            chars.font = parameter;
        }
        break;
    // A font's charset and code page count only in the font table, where they are kept.
    case Word::FontCharset:
        if (m_state.destination == RtfDestination::FontTable) {
            m_font.charset = parameter;
            m_font.attributeWords.append(layoutwords::controlWord(token.name, token.hasParameter, parameter));
        }
        break;
    case Word::FontCodePage:
        if (m_state.destination == RtfDestination::FontTable) {
            m_font.codePage = parameter;
            m_font.attributeWords.append(layoutwords::controlWord(token.name, token.hasParameter, parameter));
        }
        break;
    case Word::FontAttribute:
        if (m_state.destination == RtfDestination::FontTable && m_font.attributeWords.size() < 256)
            m_font.attributeWords.append(layoutwords::controlWord(token.name, token.hasParameter, parameter));
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
    case Word::Strike:
        chars.strike = switchedOn(token);
        break;
    case Word::Super:
        chars.script = Script::Super;
        break;
    case Word::Sub:
        chars.script = Script::Sub;
        break;
    case Word::NoSuperSub:
        chars.script = Script::Baseline;
        break;
    case Word::Language:
        chars.language = qBound(0, parameter, 0xFFFF);
        break;
    case Word::ParagraphBreak:
        if (takesText())
            appendBreak(u"\r\n", Break::Text, true);
        break;
    case Word::LineBreak:
        if (takesText())
            appendBreak(u"\r\n", Break::Line, false);
        break;
    case Word::PageBreak:
        if (takesText())
            appendBreak(u"\r\n", Break::Page, false);
        break;
    case Word::SectionBreak:
        if (takesText()) {
            appendBreak(u"\r\n", Break::Section, true);
            m_sink.endSection(m_section);
        }
        break;
    case Word::Row:
        if (takesText())
            appendBreak(u"\r\n", Break::Row, true);
        break;
    case Word::NestedTableProperties:
        // Word writes the end of a nested row inside this ignorable group.
        if (!m_stack.empty() && m_stack.back().destination == RtfDestination::Text)
            enterDestination(RtfDestination::NestedRowEnd, token.name);
        break;
    case Word::NestedRow:
        if (takesText())
            appendBreak(u"\r\n", Break::Text, true);
        else if (m_state.destination == RtfDestination::NestedRowEnd && !chars.hidden)
            appendBreak(u"\r\n", Break::KeptGroup, true);
        break;
    case Word::Tab:
        if (takesText())
            appendCharacter(9);
        break;
    case Word::Cell:
        if (takesText())
            appendBreak(u"\t", Break::Cell, true);
        break;
    case Word::NestedCell:
        if (takesText())
            appendBreak(u"\t", Break::NestedCell, true);
        break;
    case Word::Character:
        if (takesText())
            appendCharacter(info.character);
        break;
    default:
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

void RtfReader::appendBreak(const char16_t *characters, Break kind, bool endsParagraph)
{
    flushBytes();
    flushRowWords();
    m_bodyStarted = true;
    m_sink.appendBreak(QStringView(characters), currentFormat(), kind);
    if (endsParagraph)
        m_sink.endParagraph(currentParagraph());
}

void RtfReader::appendCharacter(char16_t character)
{
    flushBytes();
    flushRowWords();
    m_bodyStarted = true;
    m_sink.append(QStringView(&character, 1), currentFormat());
}

void RtfReader::flushRowWords()
{
    if (m_rowWords.isEmpty())
        return;
    m_sink.keep(KeptRtf::Words, m_rowWords);
    m_rowWords.clear();
    // The row is defined once its text starts: border words after that are the paragraph's,
    // as they are where the writer puts them, after its \pard.
    m_borderOwner = BorderOwner::Paragraph;
}

quint16 RtfReader::currentParagraph()
{
    const auto found = m_resolvedParagraphs.constFind(m_state.paragraphVersion);
    if (found != m_resolvedParagraphs.constEnd())
        return *found;
    const quint16 index = m_sink.layout().paragraphIndex(m_state.paragraph);
    m_resolvedParagraphs.insert(m_state.paragraphVersion, index);
    return index;
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
    format.strike = chars.strike;
    format.script = chars.script;
    format.language = chars.language;

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
    flushRowWords();
    m_bodyStarted = true;
    m_decoded.clear();
    m_decoder.decode(QByteArrayView(m_pendingBytes.data(), qsizetype(m_pendingBytes.size())), m_resolvedCodePage,
                     m_decoded);
    m_pendingBytes.clear();
    m_sink.append(m_decoded, format);
}

void RtfReader::readFontTableText(std::string_view bytes)
{
    while (!bytes.empty()) {
        const size_t end = bytes.find(';');
        m_font.nameBytes.append(bytes.data(), qsizetype(std::min(end, bytes.size())));
        if (end == std::string_view::npos)
            return;
        commitFont();
        bytes.remove_prefix(end + 1);
    }
}

int RtfReader::fontEntryCodePage() const
{
    if (m_font.codePage > 0)
        return m_font.codePage;
    return m_font.charset >= 0 ? codePageOfCharset(m_font.charset) : 0;
}

void RtfReader::decodeFontNameBytes()
{
    const int codePage = fontEntryCodePage();
    m_decoder.decode(m_font.nameBytes, codePage > 0 ? codePage : m_documentCodePage, m_font.name);
    m_font.nameBytes.clear();
}

void RtfReader::commitFont()
{
    if (m_font.number) {
        decodeFontNameBytes();
        // A name can never hold what ends it in the table; \uN could still put it there.
        m_font.name.removeIf([](QChar c) { return c.unicode() < 0x20 || c == u';' || c.isSurrogate(); });
        FontEntry entry;
        entry.codePage = fontEntryCodePage();
        entry.name = m_font.name.trimmed();
        entry.attributeWords = m_font.attributeWords;
        if (m_fonts.size() < maxTableEntries || m_fonts.contains(*m_font.number))
            m_fonts.insert(*m_font.number, entry);
        m_resolvedValid = false;
    }
    m_font = FontBeingRead{};
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
