// Small helpers shared by the document tests.
#pragma once

#include "documents/richdocument.h"
#include "support/qstringprinting.h"

#include <QByteArray>
#include <QString>

#include <ostream>

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
