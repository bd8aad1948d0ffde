// File dialog filters are written the way the menus give them, "description|pattern|...";
// Qt wants "description (pattern);;...".
#pragma once

#include <QString>

namespace tallimark {

QString qtFileFilter(const QString &barSeparated);

// The pattern of one filter in Qt's form: "Text (*.txt)" gives "*.txt".
QString qtFilterPattern(const QString &qtFilter);

// The extension a single pattern stands for, in lower case: "*.RTF" gives "rtf"; "*" or a list
// of patterns give none.
QString patternExtension(const QString &pattern);

} // namespace tallimark
