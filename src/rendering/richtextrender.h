// Shows a RichDocument in Qt's text widgets: one converter for the report box and for printing.
#pragma once

#include "documents/richdocument.h"

class QTextDocument;

namespace tallimark {

// Replaces the content of target with the document's runs, keeping fonts, sizes, bold, italic,
// underline, colours and backgrounds, paragraph indents and spacing, and PNG and JPEG pictures.
// CR LF, a lone CR and a lone LF each end a paragraph. Lengths are in the units of the paint
// device target's layout has when this is called (screen pixels when none): set it first.
void renderRichDocument(const RichDocument &source, QTextDocument &target);

// Adds the document's text from character position `from` on to the end of target, which shows
// the text before it already: a growing report is not laid out again from its start.
void appendRichDocument(const RichDocument &source, int from, QTextDocument &target);

} // namespace tallimark
