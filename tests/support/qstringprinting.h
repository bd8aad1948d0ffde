// GoogleTest prints QStrings as UTF-8 in failure messages (found by argument-dependent lookup,
// so it lives beside QString).
#pragma once

#include <QString>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toUtf8().toStdString() << '"';
}
