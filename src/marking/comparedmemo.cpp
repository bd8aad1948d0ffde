#include "comparedmemo.h"

#include "textpositions.h"

namespace tallimark {

void ComparedMemo::setText(const QString &text)
{
    m_text = text;
    m_textIndex.prepare(m_text);
}

void ComparedMemo::setCutLength(int memoCutLength, TableOverflows &overflows)
{
    m_cutLength = memoCutLength;
    m_words = splitWords(m_text.left(std::max(0, memoCutLength)), overflows);
    m_index.build(m_words);
}

} // namespace tallimark
