// The core of a word: the word without its blanks, its separator and one closing mark, so that
// "cat," and "cat " count as the same word when excess words are counted.
#pragma once

#include <QString>

namespace tallimark {

QString wordCore(const QString &word);
// The core is always a piece of the word itself.
QStringView wordCoreView(QStringView word);

// A hash of a text that can be carried on over a second piece: hashText(a + b) equals
// hashText(b, hashText(a)).
size_t hashText(QStringView text, size_t hash = 14695981039346656037ULL);

} // namespace tallimark
