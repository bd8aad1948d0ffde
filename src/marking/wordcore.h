// The core of a word: the word without its blanks, its separator and one closing mark, so that
// "cat," and "cat " count as the same word when excess words are counted.
#pragma once

#include <QString>

namespace tallimark {

QString wordCore(const QString &word);

} // namespace tallimark
