// The check the fuzz target makes on every input, shared with the test that replays its corpus.
#pragma once

#include "documents/richdocument.h"

#include <QByteArray>
#include <QDebug>
#include <QString>

namespace tallimark {

// Whatever the reader made of the bytes must come back unchanged through our own writer, and
// writing what was read back must give the same source again. Returns what went wrong, with
// the place where the two sources part (quoted, CR, LF and other controls escaped); empty when
// nothing did.
inline QString roundTripFailure(const QByteArray &bytes)
{
    RichDocument document;
    document.setRtfBytes(bytes);
    const QString rtf = document.textRtf();
    RichDocument copy;
    copy.setTextRtf(rtf);
    if (copy.text() != document.text())
        return QStringLiteral("the text read back differs");
    const QString again = copy.textRtf();
    if (again == rtf)
        return {};
    qsizetype at = 0;
    while (at < rtf.size() && at < again.size() && rtf[at] == again[at])
        ++at;
    const qsizetype from = qMax<qsizetype>(0, at - 60);
    QString failure = QStringLiteral("the second write parts from the first at %1:").arg(at);
    QDebug(&failure).nospace() << "\n  first:  " << rtf.mid(from, 120) << "\n  second: " << again.mid(from, 120);
    return failure;
}

} // namespace tallimark
