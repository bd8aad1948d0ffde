// Small helpers shared by the document tests.
#pragma once

#include "documents/richdocument.h"

#include <QByteArray>
#include <QString>

#include <ostream>

// GoogleTest prints QStrings as UTF-8 in failure messages (found by argument-dependent lookup,
// so it lives beside QString).
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toUtf8().toStdString() << '"';
}

inline std::ostream &operator<<(std::ostream &out, const QString &text)
{
    return out << text.toUtf8().toStdString();
}

namespace tallimark {

inline QString rtfText(const char *rtf)
{
    RichDocument document;
    document.setRtfBytes(QByteArray(rtf));
    return document.text();
}

} // namespace tallimark
