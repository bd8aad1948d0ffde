// The layout a word processor states around the text: paragraphs, sections, the page, and the
// groups this program does not interpret, kept as written. Lengths are in twips (1/1440 inch),
// as RTF states them.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace tallimark {

using Colour = quint32;

enum class Script : quint8 { Baseline, Super, Sub };

// What a break character of the text stands for in the file. A CR LF or TAB that was typed or
// inserted is Text: a paragraph break or a tab.
enum class Break : quint8 {
    Text,
    Line,       // \line: a new line inside the paragraph
    Section,    // \sect
    Page,       // \page
    Cell,       // \cell (a TAB in the text)
    NestedCell, // \nestcell (a TAB in the text)
    Row,        // \row
    KeptGroup,  // a nested row's end, written by the kept group before it
};

// Whether a break ends its paragraph (the CR of a CR LF, or a TAB).
constexpr bool endsParagraph(Break kind, bool isTab)
{
    if (isTab)
        return kind == Break::Cell || kind == Break::NestedCell;
    return kind != Break::Line && kind != Break::Page;
}

enum class Alignment : quint8 { Left, Centre, Right, Justified, Distributed };

struct TabStop
{
    int position = 0;
    QByteArray kindWords; // \tqr, \tqc, \tqdec, \tldot...: written before the position
    bool bar = false;     // \tb instead of \tx

    friend bool operator==(const TabStop &, const TabStop &) = default;
};

struct ParagraphFormat
{
    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;              // \slN: 0 single, > 0 at least, < 0 exactly
    bool lineSpacingMultiple = false; // \slmult1: lineSpacing / 240 lines
    bool keepTogether = false;
    bool keepWithNext = false;
    // The file stated indents, zero ones included: they then replace a list level's own.
    bool indentsStated = false;
    QList<TabStop> tabStops;
    // Paragraph words written back as read: borders, shading, style, list level, table
    // membership, widow control and the like.
    QByteArray otherWords;

    friend bool operator==(const ParagraphFormat &, const ParagraphFormat &) = default;
};

size_t qHash(const ParagraphFormat &format, size_t seed = 0) noexcept;

struct SectionFormat
{
    std::optional<int> pageWidth, pageHeight;
    std::optional<int> marginLeft, marginRight, marginTop, marginBottom;
    bool landscape = false;
    int columns = 1;
    std::optional<int> columnSpacing;
    QByteArray otherWords; // section breaks, header distances, page numbering...

    friend bool operator==(const SectionFormat &, const SectionFormat &) = default;
};

struct DocumentFormat
{
    std::optional<int> paperWidth, paperHeight;
    std::optional<int> marginLeft, marginRight, marginTop, marginBottom, gutter;
    bool landscape = false;
    std::optional<int> defaultTabWidth;
    std::optional<int> defaultLanguage;
    std::optional<int> defaultLanguageEastAsian;
    QByteArray otherWords; // widow control, facing pages, footnote placement...

    friend bool operator==(const DocumentFormat &, const DocumentFormat &) = default;
};

// RTF kept verbatim at a text position: a whole group (picture, footnote, bookmark, field
// instruction, list label...), the opening or closing of a field or object whose result is
// text, or table row definitions. It is written back before the character at position.
struct KeptRtf
{
    enum Kind : quint8 { Group, Opening, Closing, Words };
    qsizetype position = 0;
    QByteArray rtf;
    Kind kind = Group;

    friend bool operator==(const KeptRtf &, const KeptRtf &) = default;
};

struct FontEntry
{
    QString name;
    int codePage = 0;          // 0: the document's code page
    QByteArray attributeWords; // \froman\fcharset0\fprq2...
};

struct DocumentLayout
{
    QList<ParagraphFormat> paragraphFormats; // each distinct one once
    QHash<ParagraphFormat, quint16> paragraphIndices;
    quint16 endParagraph = 0; // the format of the paragraph that ends the text
    QList<SectionFormat> sections{SectionFormat{}};
    DocumentFormat document;
    QList<KeptRtf> kept;
    QByteArray headerGroups;     // style sheet, list tables, document info...
    int codePage = 1252;         // \ansicpgN
    int defaultFontNumber = 0;   // \deffN
    QHash<int, FontEntry> fonts; // as the file numbered them
    QList<std::optional<Colour>> colours;

    quint16 paragraphIndex(const ParagraphFormat &format);
};

} // namespace tallimark
