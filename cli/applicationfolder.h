// Tallimark's own folder, where destination folders are made: the program's folder when it can
// be written to, otherwise ~/Documents/Tallimark (made the first time it is needed).
#pragma once

#include <QString>

namespace tallimark::cli {

QString programOwnFolder();

} // namespace tallimark::cli
