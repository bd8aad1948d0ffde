// The check the fuzz target makes on every input, shared with the test that replays its corpus.
#pragma once

#include "documents/richdocument.h"

#include <QByteArray>
#include <QString>

namespace tallimark {

// CR, LF and other controls spelled out, so that a failure shows where the sources part.
inline QString visibleRtf(const QString &rtf)
{
    QString out;
    for (QChar c : rtf) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            out += QStringLiteral("<%1>").arg(int(c.unicode()), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

// Whatever the reader made of the bytes must come back unchanged through our own writer, and
// writing what was read back must give the same source again. Returns what went wrong, with
// the place where the two sources part; empty when nothing did.
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
    return QStringLiteral("the second write parts from the first at %1:\n  first:  %2\n  second: %3")
        .arg(at)
        .arg(visibleRtf(rtf.mid(from, 120)), visibleRtf(again.mid(from, 120)));
}

} // namespace tallimark
