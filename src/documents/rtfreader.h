// Reads RTF into an RtfSink: a tokenizer feeds a loop that keeps an explicit stack of group
// states, so neither deep nesting nor broken files can exhaust the call stack.
#pragma once

#include "codepages.h"
#include "richdocument.h"
#include "rtftokenizer.h"

#include <QByteArray>
#include <QHash>

#include <optional>
#include <string>
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
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;

    friend bool operator==(const RtfCharState &, const RtfCharState &) = default;
};

// NestedRowEnd: the properties of a nested table row, which hide everything but the row's end.
enum class RtfDestination : quint8 { Text, Skipped, FontTable, ColourTable, NestedRowEnd };

struct RtfGroupState
{
    RtfCharState chars;
    int unicodeSkip = 1; // \ucN: bytes of fallback after each \uN
    RtfDestination destination = RtfDestination::Text;
};

class RtfReader
{
public:
    // Nesting deeper than this is still parsed, but inner groups share the state of the last level.
    static constexpr int maxGroupDepth = 10000;
    // Font and colour tables beyond this size are ignored, so a hostile file cannot grow them
    // faster than the document.
    static constexpr qsizetype maxTableEntries = 65536;

    explicit RtfReader(RtfSink &sink);
    void read(QByteArrayView rtf);

private:
    struct FontEntry
    {
        QString name;
        int codePage = 0; // 0: the document's code page
    };

    void startGroup();
    bool endGroup(); // false when the document's outermost group has closed
    void readText(std::string_view bytes);
    void readHexByte(char byte);
    void readControlWord(const RtfToken &token);
    void readControlSymbol(char symbol);
    bool consumeFallback(); // true when the token is the fallback of a \uN and so ignored

    bool takesText() const;
    void appendCharacter(char16_t character);
    void appendParagraphBreak();
    void appendUnicode(int value);
    void flushBytes();
    quint16 currentFormat();

    void readFontTableText(std::string_view bytes);
    int fontEntryCodePage() const;
    void decodeFontNameBytes();
    void commitFont();
    void readColourTableText(std::string_view bytes);

    RtfSink &m_sink;
    RtfGroupState m_state;
    std::vector<RtfGroupState> m_stack; // the states of the enclosing groups
    int m_overflowDepth = 0;
    int m_fallbackToSkip = 0;

    int m_documentCodePage = CodePage::Windows1252;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    QList<std::optional<Colour>> m_colours;

    // The font table entry and colour being read.
    std::optional<int> m_fontNumber;
    int m_fontCharset = -1; // -1: the entry names none
    int m_fontCodePage = 0;
    QByteArray m_fontNameBytes; // decoded together, since they may be double-byte pairs
    QString m_fontName;
    int m_red = -1, m_green = -1, m_blue = -1;

    std::string m_pendingBytes; // text bytes waiting to be decoded together (double-byte pairs)
    QString m_decoded;
    CodePageDecoder m_decoder;

    bool m_resolvedValid = false;
    RtfCharState m_resolvedChars;
    quint16 m_resolvedFormat = 0;
    int m_resolvedCodePage = CodePage::Windows1252;
};

} // namespace tallimark
