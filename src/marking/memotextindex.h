// Substring searches in the memo text through an index of its 4-character pieces: the word
// check asks the same memo dozens of times per test. Answers equal QString::contains.
#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace tallimark {

class MemoTextIndex
{
public:
    // Indexes the text, unless it is the one already indexed.
    void prepare(const QString &text);
    bool contains(QStringView needle) const;

private:
    static constexpr int PieceLength = 4;
    static constexpr int TableBits = 13;
    static size_t slotOf(const QChar *piece);

    QString m_text;
    bool m_prepared = false;
    std::vector<int> m_head; // per hash slot: the last position whose piece hashes there, or -1
    std::vector<int> m_next; // per position: the previous position in the same slot, or -1
};

} // namespace tallimark
