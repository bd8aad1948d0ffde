// Reads RTF into an RtfSink: a tokenizer feeds a loop that keeps an explicit stack of group
// states, so neither deep nesting nor broken files can exhaust the call stack.
//
// Groups the model does not interpret (pictures, footnotes, bookmarks, field instructions, list
// labels, unknown \* destinations...) are kept as the bytes of the file, sliced from the input
// when they close: that costs one copy of the input at most.
#pragma once

#include "codepages.h"
#include "richdocument.h"
#include "rtftokenizer.h"

#include <QByteArray>
#include <QHash>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimark {

class RtfSink;

// Character formatting as the file states it: numbers into the font and colour tables, which
// are resolved to names and colours only when text is written with them.
struct RtfCharState
{
    int font = -1; // -1: the \deff font
    int fontSize = 24;
    int colour = -1;
    int background = -1;
    int offset = 0;
    int kerning = 0;
    int language = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;
    bool strike = false;
    Script script = Script::Baseline;

    friend bool operator==(const RtfCharState &, const RtfCharState &) = default;
};

// NestedRowEnd: the properties of a nested table row, which hide everything but the row's end.
enum class RtfDestination : quint8 { Text, Skipped, FontTable, ColourTable, NestedRowEnd };

struct RtfGroupState
{
    RtfCharState chars;
    ParagraphFormat paragraph; // paragraph properties belong to the group, as character ones do
    quint32 paragraphVersion = 0;
    int unicodeSkip = 1; // \ucN: bytes of fallback after each \uN
    RtfDestination destination = RtfDestination::Text;
    bool keptWhole = false;          // the group is kept as the file's bytes when it closes
    bool keptBraces = false;         // a field or object: its braces and own words are kept, its result read
    bool takesOwnWords = false;      // such a group's own words are still being read
    qsizetype groupStart = 0;        // offset of the group's '{' in the file
    qsizetype textAtStart = 0;       // textMark() when the group opened
    qsizetype keptPosition = 0;      // text length when the group opened
    qsizetype layoutKeptAtStart = 0; // a group that kept words before it is kept whole keeps them twice
    std::string_view destinationName;
};

class RtfReader
{
public:
    // Nesting deeper than this is still parsed, but inner groups share the state of the last level.
    static constexpr int maxGroupDepth = 10000;
    // Font and colour tables beyond this size are ignored, so a hostile file cannot grow them
    // faster than the document.
    static constexpr qsizetype maxTableEntries = 65536;
    // A paragraph's uninterpreted words and tab stops beyond these are dropped, so that comparing
    // paragraph formats stays cheap however a file repeats them.
    static constexpr qsizetype maxOtherWords = 2048;
    static constexpr qsizetype maxTabStops = 64;

    explicit RtfReader(RtfSink &sink);
    void read(QByteArrayView rtf);

private:
    struct FontBeingRead
    {
        std::optional<int> number;
        int charset = -1; // -1: the entry names none
        int codePage = 0;
        QByteArray nameBytes; // decoded together, since they may be double-byte pairs
        QString name;
        QByteArray attributeWords;
    };
    enum class BorderOwner : quint8 { Paragraph, Row };

    void startGroup();
    bool endGroup(); // false when the document's outermost group has closed
    void keepGroup(const RtfGroupState &closed);
    void readText(std::string_view bytes);
    void readHexByte(char byte);
    void readControlWord(const RtfToken &token);
    // kind and value: the word's entry in the reader's table.
    void readLayoutWord(const RtfToken &token, int kind, char16_t value);
    void readUnknownWord(const RtfToken &token);
    void readControlSymbol(char symbol);
    bool consumeFallback(); // true when the token is the fallback of a \uN and so ignored
    void enterDestination(RtfDestination destination, std::string_view name);

    bool takesText() const;
    bool inBody() const { return m_state.destination == RtfDestination::Text; }
    // Changes whenever the body has text, hidden text included: a group that has some is
    // never kept whole.
    qsizetype textMark() const;
    void appendCharacter(char16_t character);
    void appendBreak(const char16_t *characters, Break kind, bool endsParagraph);
    void appendUnicode(int value);
    void flushBytes();
    void flushRowWords();
    quint16 currentFormat();
    quint16 currentParagraph();
    void changeParagraph() { m_state.paragraphVersion = ++m_paragraphVersions; }
    void addParagraphWord(const RtfToken &token);

    void readFontTableText(std::string_view bytes);
    int fontEntryCodePage() const;
    void decodeFontNameBytes();
    void commitFont();
    void readColourTableText(std::string_view bytes);

    RtfSink &m_sink;
    const RtfTokenizer *m_tokenizer = nullptr;
    QByteArrayView m_input;
    RtfGroupState m_state;
    std::vector<RtfGroupState> m_stack; // the states of the enclosing groups
    int m_overflowDepth = 0;
    int m_fallbackToSkip = 0;
    bool m_afterStar = false; // the last token was \*, so the next word names a destination
    bool m_bodyStarted = false;
    qsizetype m_hiddenText = 0;
    qsizetype m_layoutKept = 0; // counts what was kept (words, groups), which a group kept whole would repeat

    int m_documentCodePage = CodePage::Windows1252;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    QList<std::optional<Colour>> m_colours;
    FontBeingRead m_font;
    int m_red = -1, m_green = -1, m_blue = -1;

    SectionFormat m_section;
    DocumentFormat m_document;
    QByteArray m_headerGroups;
    QByteArray m_rowWords; // table row definitions waiting for the text they stand before
    QByteArray m_tabKindWords;
    BorderOwner m_borderOwner = BorderOwner::Paragraph;

    std::string m_pendingBytes; // text bytes waiting to be decoded together (double-byte pairs)
    QString m_decoded;
    CodePageDecoder m_decoder;

    bool m_resolvedValid = false;
    RtfCharState m_resolvedChars;
    quint16 m_resolvedFormat = 0;
    int m_resolvedCodePage = CodePage::Windows1252;
    quint32 m_paragraphVersions = 0;
    QHash<quint32, quint16> m_resolvedParagraphs; // by version: each state is looked up once
    std::optional<quint16> m_lastParagraph;
};

} // namespace tallimark
