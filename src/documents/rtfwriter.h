// Writes a RichDocument as a complete RTF document in pure ASCII.
//
// Every paragraph break (CR LF in the text) is written as a raw CR LF followed by \par, with
// the text before it written up to the CR with nothing in between: callers edit the source
// with plain text replacements such as ".  " + CR -> "." + CR, which must see the blanks a
// writer left before a line break. A paragraph break therefore keeps the formatting of the
// text before it, except a mark's (a highlight or an underline): a mark is a group of its own,
// which at a line end closes after the raw CR LF, so that nothing it sets reaches past its text.
// Every paragraph starts with \pard\plain, and its first run states its font, size and language.
#pragma once

#include <QByteArray>

namespace tallimark {

class RichDocument;

QByteArray writeRtf(const RichDocument &document);

} // namespace tallimark
