#include "rtfsink.h"

#include <algorithm>

namespace tallimark {

RtfSink::RtfSink(RichDocument &document, qsizetype sizeHint) : m_document(document)
{
    m_document.clear();
    m_document.m_layout.sections.clear();
    // Text is rarely more than half of its RTF; growing past that is still possible.
    const qsizetype expected = std::min<qsizetype>(sizeHint / 2, qsizetype(64) * 1024 * 1024);
    m_document.m_text.reserve(expected);
    m_document.m_chars.reserve(expected);
}

quint16 RtfSink::formatIndex(const CharFormat &format)
{
    return m_document.formatIndex(format);
}

void RtfSink::appendSlots(qsizetype count, quint16 formatIndex, Break kind)
{
    auto &chars = m_document.m_chars;
    const qsizetype from = chars.size();
    chars.resize(from + count);
    std::fill_n(chars.data() + from, count, RichDocument::CharSlot{formatIndex, 0, kind});
}

void RtfSink::append(QStringView text, quint16 formatIndex)
{
    if (text.isEmpty())
        return;
    m_document.m_text.append(text);
    appendSlots(text.size(), formatIndex, Break::Text);
}

void RtfSink::appendBreak(QStringView characters, quint16 formatIndex, Break kind)
{
    m_document.m_text.append(characters);
    appendSlots(characters.size(), formatIndex, kind);
    const bool finalMarkCandidate = characters == u"\r\n"
        && (kind == Break::Text || kind == Break::Line || kind == Break::Section || kind == Break::Page);
    m_endOfLastParagraphBreak = finalMarkCandidate ? m_document.m_text.size() : -1;
}

void RtfSink::endParagraph(quint16 paragraphIndex)
{
    auto &chars = m_document.m_chars;
    RichDocument::CharSlot *slot = chars.data();
    for (qsizetype i = m_paragraphStart; i < chars.size(); ++i)
        slot[i].paragraph = paragraphIndex;
    m_paragraphStart = chars.size();
    m_lastEndedParagraph = paragraphIndex;
}

void RtfSink::endSection(const SectionFormat &format)
{
    // Each section break of the text has its format; a hostile file cannot have more of them
    // than it has breaks.
    m_document.m_layout.sections.append(format);
}

void RtfSink::keep(KeptRtf::Kind kind, const QByteArray &rtf)
{
    keepAt(length(), kind, rtf);
}

void RtfSink::keepAt(qsizetype position, KeptRtf::Kind kind, const QByteArray &rtf)
{
    QList<KeptRtf> &kept = m_document.m_layout.kept;
    // Almost always at the end; a nested row's group goes before the row end it wrote.
    auto at = kept.end();
    if (!kept.isEmpty() && kept.last().position > position)
        at = std::upper_bound(kept.begin(), kept.end(), position,
                              [](qsizetype p, const KeptRtf &item) { return p < item.position; });
    kept.insert(at, KeptRtf{position, rtf, kind});
}

void RtfSink::appendToLastKept(const QByteArray &rtf)
{
    QList<KeptRtf> &kept = m_document.m_layout.kept;
    if (!kept.isEmpty())
        kept.last().rtf.append(rtf);
}

void RtfSink::setDefaultFontName(const QString &name)
{
    m_document.m_defaultFont = name;

    // Text read before the font table named the default font, or in a number the table lacks,
    // has no font name, yet it is in the default font all the same and is written back as such.
    // Named now, it is one run with the default font's text around it, as it will be when read
    // back; otherwise the two formats would merge only on the second reading.
    auto &formats = m_document.m_formats;
    auto &indices = m_document.m_formatIndices;
    QList<quint16> renumbered(formats.size());
    bool merged = false;
    for (qsizetype index = 0; index < formats.size(); ++index) {
        renumbered[index] = quint16(index);
        if (!formats[index].fontName.isEmpty())
            continue;
        indices.remove(formats[index]);
        formats[index].fontName = name;
        const auto named = indices.constFind(formats[index]);
        if (named == indices.constEnd()) {
            indices.insert(formats[index], quint16(index));
        } else {
            renumbered[index] = *named; // the slot left behind is used by no character
            merged = true;
        }
    }
    if (merged) {
        for (RichDocument::CharSlot &slot : m_document.m_chars)
            slot.format = renumbered[slot.format];
    }
}

void RtfSink::finish(quint16 lastParagraph, const SectionFormat &lastSection)
{
    DocumentLayout &layout = m_document.m_layout;
    QString &text = m_document.m_text;
    if (m_endOfLastParagraphBreak >= 2 && m_endOfLastParagraphBreak == text.size()) {
        const Break kind = m_document.m_chars[text.size() - 2].kind;
        text.chop(2);
        m_document.m_chars.resize(text.size());
        for (KeptRtf &item : layout.kept)
            item.position = std::min(item.position, text.size());
        m_paragraphStart = std::min(m_paragraphStart, text.size());
        // The section that the final \sect ended is the last one.
        if (kind != Break::Section)
            layout.sections.append(lastSection);
        if (kind == Break::Text || kind == Break::Section) {
            layout.endParagraph = m_lastEndedParagraph;
        } else {
            endParagraph(lastParagraph);
            layout.endParagraph = lastParagraph;
        }
    } else {
        endParagraph(lastParagraph);
        layout.endParagraph = lastParagraph;
        layout.sections.append(lastSection);
    }
    // Kept RTF among the blanks that end a line stands at the line's break: the sentence-end
    // clean-up sees a line's last mark, its blanks and its CR together in the source.
    qsizetype scannedFrom = -1;
    qsizetype firstNonBlank = 0;
    for (KeptRtf &item : layout.kept) {
        if (item.position < scannedFrom || item.position > firstNonBlank) {
            firstNonBlank = item.position;
            while (firstNonBlank < text.size() && text.at(firstNonBlank) == u' ')
                ++firstNonBlank;
        }
        scannedFrom = item.position;
        if (firstNonBlank + 1 < text.size() && text.at(firstNonBlank) == u'\r' && text.at(firstNonBlank + 1) == u'\n')
            item.position = firstNonBlank;
    }
    // \uN gives UTF-16 units one by one; a broken file may leave half a pair.
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate())
            ++i;
        else
            text[i] = QChar::ReplacementCharacter;
    }
    m_document.m_selStart = 0;
    m_document.m_selLength = 0;
    m_document.takeCaretFormatFromText();
}

} // namespace tallimark
