// One rich-text document: plain text plus per-character formatting, loaded from and saved to RTF.
//
// The plain-text view is what the marking engine compares: paragraph and line breaks read as
// CR LF, and every position used here (selection start, lengths) counts characters of that view,
// 0-based, with CR and LF as one character each. The formatting is kept per character and handed
// to viewers as runs. The layout a learner's file states (paragraphs, sections, page) is kept
// beside the text, and what the model does not interpret (pictures, fields, tables' structure,
// footnotes, lists...) is kept as the file's own RTF at its place, so that a saved copy lays out
// like the file that was loaded.
#pragma once

#include "documentlayout.h"
#include "failure.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace tallimark {

// Colours are 0x00BBGGRR, as the marked copies and the engine use them: 255 is red, 0xFFFFFF white.
using Colour = quint32;
constexpr Colour Red = 0x0000FF;
constexpr Colour White = 0xFFFFFF;

struct CharFormat
{
    QString fontName;            // empty: the document's default font
    int fontSizeHalfPoints = 20; // \fsN; 20 is 10 pt
    bool bold = false;           // the emphasis flag of errors and of the report block
    bool italic = false;
    bool underline = false;           // the repeat flag of repeated errors
    std::optional<Colour> colour;     // text colour; none: automatic (black)
    std::optional<Colour> background; // highlight; none: no background
    int offset = 0;                   // vertical offset in half points (\upN / \dnN); 0 = baseline
    int kerning = 0;                  // \kerningN: pair kerning from N half points on; 0 = off
    bool strike = false;
    Script script = Script::Baseline; // \super / \sub: smaller, raised or lowered
    int language = 0;                 // \langN, for spelling and hyphenation; 0: the document's

    friend bool operator==(const CharFormat &, const CharFormat &) = default;
};

size_t qHash(const CharFormat &format, size_t seed = 0) noexcept;

struct TextRun
{
    QString text;
    CharFormat format;
};

class RichDocument
{
public:
    RichDocument();

    // Replaces the document with the file. A file that starts with "{\rtf" is read as RTF (a
    // truncated one yields what was read); any other file as plain text (UTF-8 when valid,
    // BOMs honoured, else Windows-1252). A missing or unreadable file fails with number 75
    // (70 when permission is denied), and so does one that is not a regular file; one that is
    // too large or not text fails with TooLarge or NotText (see readDocumentBytes). On failure
    // the document stays as it was.
    [[nodiscard]] Failure loadFile(const QString &path);

    // Writes the document as RTF: an existing file is replaced only by a complete new one, and
    // a failed write, flush or rename leaves it whole. Permission denied fails with 70, a
    // read-only file system with 5156, a full disk with 61. Without syncNow the caller syncs
    // the file later (a marking session syncs all its files once, at its end).
    [[nodiscard]] Failure saveFile(const QString &path, bool syncNow = true) const;

    // Plain-text view. Setting it replaces the document with unformatted text.
    QString text() const;
    void setText(const QString &text);
    int length() const;

    // The document as RTF source written by our writer; setting it parses it again. Each CR LF
    // is a raw CR LF right after the line's last character, then \par, so plain replacements
    // such as ".  " + CR -> "." + CR work on it; a line break keeps the formatting before it.
    QString textRtf() const;
    void setTextRtf(const QString &rtf);
    // Parses RTF bytes (what loadFile does with an RTF file's content).
    void setRtfBytes(const QByteArray &rtf);

    // The document's default font name (the RTF \deff font).
    QString fontName() const;
    void setFontName(const QString &name);

    // Selection. Start and length are clamped to the document; length 0 is the insertion point,
    // whose formatting (set through the setters below) the next inserted text takes.
    int selStart() const;
    int selLength() const;
    void setSelStart(int start); // also sets the length to 0
    void setSelLength(int length);
    QString selText() const;
    void setSelText(const QString &text); // replaces the selection; caret after the new text

    // Formatting of the selection, or of the insertion point when nothing is selected.
    void setSelColour(Colour colour);
    void setSelBackground(Colour colour); // white clears the background
    void setSelFontName(const QString &name);
    void setSelBold(bool on);
    void setSelUnderline(bool on);
    void setSelOffset(int halfPoints);
    void setSelKerning(int halfPoints);
    // Gives every paragraph the selection touches (the insertion point's, when nothing is
    // selected) this layout.
    void setSelParagraph(const ParagraphFormat &format);
    // Format of the character at position (or the insertion-point format past the end).
    CharFormat formatAt(int position) const;

    // Runs of equally formatted text, in order; together they are text().
    QList<TextRun> runs() const;

    // Layout. A paragraph's format is that of its characters; the paragraph that ends the text
    // without a break (an empty one included) has paragraphFormatAt(length()).
    ParagraphFormat paragraphFormatAt(int position) const;
    // What the CR of a CR LF, or a TAB, stands for; Break::Text for any other character.
    Break breakAt(int position) const;
    const DocumentFormat &documentFormat() const { return m_layout.document; }
    // One per section, the last one's included; the k-th section ends at the k-th section break.
    const QList<SectionFormat> &sections() const { return m_layout.sections; }
    // Groups and words kept as the file wrote them, in text order.
    const QList<KeptRtf> &keptRtf() const { return m_layout.kept; }

private:
    struct CharSlot
    {
        quint16 format = 0;    // index into m_formats
        quint16 paragraph = 0; // index into m_layout.paragraphFormats
        Break kind = Break::Text;
    };

    QString m_text;
    QList<CharSlot> m_chars;     // one per character of m_text
    QList<CharFormat> m_formats; // each distinct format once
    QHash<CharFormat, quint16> m_formatIndices;
    CharFormat m_caretFormat;
    QString m_defaultFont;
    DocumentLayout m_layout;
    int m_selStart = 0;
    int m_selLength = 0;

    friend class RtfSink;
    friend class RtfWriter;
    void clear();
    quint16 formatIndex(const CharFormat &format);
    bool startsParagraph(qsizetype position) const;
    void takeCaretFormatFromText();
    template <typename Change> void changeSelection(Change change);
};

} // namespace tallimark
