// Showing the errors in the test document: white on red for words with errors, red underlined
// for repeated errors.
#pragma once

#include "testoutcome.h"
#include "worderrors.h"

#include "documents/richdocument.h"

namespace tallimark {

// Sets the background of the document's selection (or of its insertion point).
void highlight(RichDocument &document, Colour colour);

// How many characters of the test text an error entry covers: its word less the blank that
// ended it, and less the blank a join put after a line break.
int highlightLength(const QString &word);

// Formats the operation's characters as its kind is shown: an error white on red in bold, a
// repeat red and underlined, the listed excess words white on light red.
void applyHighlight(RichDocument &document, const HighlightOperation &operation);

// Errors white on red in bold, repeats red and underlined; returns the selections, in order.
QList<HighlightOperation> highlightErrors(const WordErrors &errors, RichDocument &test);

} // namespace tallimark
