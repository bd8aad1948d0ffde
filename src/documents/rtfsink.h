// Where the RTF reader puts what it reads: the text, formatting and layout of a RichDocument.
#pragma once

#include "richdocument.h"

#include <QStringView>

namespace tallimark {

class RtfSink
{
public:
    // Empties the document; the default font stays until the file names its own.
    // sizeHint: the size of the RTF, which bounds the text's.
    RtfSink(RichDocument &document, qsizetype sizeHint);

    quint16 formatIndex(const CharFormat &format);
    qsizetype length() const { return m_document.m_text.size(); }
    DocumentLayout &layout() { return m_document.m_layout; }

    void append(QStringView text, quint16 formatIndex);
    // A CR LF or TAB that stands for a break of the file. A CR LF that ends the document is the
    // final paragraph mark every word processor writes; finish() takes it off again, so that
    // "abc\par}" reads as "abc" and the writer's own final \par round-trips.
    void appendBreak(QStringView characters, quint16 formatIndex, Break kind);
    // The paragraph that the last break ended has this format.
    void endParagraph(quint16 paragraphIndex);
    // The section that the last break ended has this format.
    void endSection(const SectionFormat &format);

    // RTF kept as written, before the next character (or before the character at position).
    void keep(KeptRtf::Kind kind, const QByteArray &rtf);
    void keepAt(qsizetype position, KeptRtf::Kind kind, const QByteArray &rtf);
    void appendToLastKept(const QByteArray &rtf);

    void setDefaultFontName(const QString &name);
    // Gives the last paragraph and section their formats, replaces surrogates that \uN left
    // unpaired and puts the caret at the start.
    void finish(quint16 lastParagraph, const SectionFormat &lastSection);

private:
    void appendSlots(qsizetype count, quint16 formatIndex, Break kind);

    RichDocument &m_document;
    qsizetype m_endOfLastParagraphBreak = -1;
    qsizetype m_paragraphStart = 0;
    quint16 m_lastEndedParagraph = 0;
};

} // namespace tallimark
