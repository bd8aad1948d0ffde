// Where the RTF reader puts what it reads: the text and formatting of a RichDocument.
#pragma once

#include "richdocument.h"

#include <QStringView>

namespace tallimark {

class RtfSink
{
public:
    // Empties the document; the default font stays until the file names its own.
    explicit RtfSink(RichDocument &document);

    quint16 formatIndex(const CharFormat &format);
    void append(QStringView text, quint16 formatIndex);
    // A paragraph break (CR LF). The one that ends the document is the final paragraph mark
    // every word processor writes; finish() takes it off again, so that "abc\par}" reads as
    // "abc" and the writer's own final \par round-trips.
    void appendParagraphBreak(quint16 formatIndex);
    void setDefaultFontName(const QString &name);
    // Replaces surrogates that \uN left unpaired and puts the caret at the start.
    void finish();

private:
    RichDocument &m_document;
    qsizetype m_endOfLastParagraphBreak = -1;
};

} // namespace tallimark
