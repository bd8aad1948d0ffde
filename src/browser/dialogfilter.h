// File dialog filters are written the way the menus give them, "description|pattern|...";
// Qt wants "description (pattern);;...".
#pragma once

#include <QString>

namespace tallimark {

QString qtFileFilter(const QString &barSeparated);

} // namespace tallimark
