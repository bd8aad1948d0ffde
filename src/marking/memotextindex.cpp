#include "memotextindex.h"

namespace tallimark {

size_t MemoTextIndex::slotOf(const QChar *piece)
{
    quint64 bits = 0;
    for (int k = 0; k < PieceLength; ++k)
        bits |= quint64(piece[k].unicode()) << (16 * k);
    return size_t((bits * 0x9E3779B97F4A7C15ULL) >> (64 - TableBits));
}

void MemoTextIndex::prepare(const QString &text)
{
    if (m_prepared && text == m_text)
        return;
    m_text = text;
    m_prepared = true;
    m_head.assign(size_t(1) << TableBits, -1);
    m_next.assign(size_t(text.size()), -1);
    for (qsizetype i = 0; i + PieceLength <= text.size(); ++i) {
        const size_t slot = slotOf(text.constData() + i);
        m_next[size_t(i)] = m_head[slot];
        m_head[slot] = int(i);
    }
}

bool MemoTextIndex::contains(QStringView needle) const
{
    if (needle.size() < PieceLength)
        return needle.isEmpty() ? !m_text.isEmpty() : QStringView(m_text).contains(needle);
    const QStringView text(m_text);
    for (int i = m_head[slotOf(needle.data())]; i >= 0; i = m_next[size_t(i)]) {
        if (i + needle.size() <= text.size() && text.sliced(i, needle.size()) == needle)
            return true;
    }
    return false;
}

} // namespace tallimark
