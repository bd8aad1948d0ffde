#include "rtfsink.h"

namespace tallimark {

RtfSink::RtfSink(RichDocument &document) : m_document(document)
{
    m_document.clear();
}

quint16 RtfSink::formatIndex(const CharFormat &format)
{
    return m_document.formatIndex(format);
}

void RtfSink::append(QStringView text, quint16 formatIndex)
{
    if (text.isEmpty())
        return;
    m_document.m_text.append(text);
    m_document.m_formatOfChar.insert(m_document.m_formatOfChar.size(), text.size(), formatIndex);
}

void RtfSink::appendParagraphBreak(quint16 formatIndex)
{
    append(u"\r\n", formatIndex);
    m_endOfLastParagraphBreak = m_document.m_text.size();
}

void RtfSink::setDefaultFontName(const QString &name)
{
    m_document.m_defaultFont = name;
}

void RtfSink::finish()
{
    if (m_endOfLastParagraphBreak >= 2 && m_endOfLastParagraphBreak == m_document.m_text.size()) {
        m_document.m_text.chop(2);
        m_document.m_formatOfChar.resize(m_document.m_text.size());
    }
    // \uN gives UTF-16 units one by one; a broken file may leave half a pair.
    QString &text = m_document.m_text;
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
