// Cutting a text into words. A word keeps the one separator (blank, CR or LF) that ended it.
#pragma once

#include "tablelimits.h"

#include <QList>
#include <QString>

namespace tallimark {

struct Word
{
    QString text;
    int start = 0; // where it starts in the text
};

// The words of a text, in order.
struct Words
{
    QList<Word> list;

    int count() const { return int(list.size()); }
    // The checks look one word ahead and one back: past either end there is an empty word.
    const QString &at(int i) const
    {
        static const QString none;
        return i >= 0 && i < list.size() ? list.at(i).text : none;
    }
    int startOf(int i) const { return i >= 0 && i < list.size() ? list.at(i).start : 0; }
    void setText(int i, const QString &text)
    {
        Q_ASSERT(i >= 0 && i < list.size());
        list[i].text = text;
    }
};

// Words past the word table's last entry are not stored: the split stops adding words there.
Words splitWords(const QString &text, TableOverflows &overflows);

} // namespace tallimark
