// How a file that is not RTF becomes text.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace tallimark {

// A byte-order mark (UTF-8, UTF-16 LE or BE) decides the encoding; without one the bytes are
// UTF-8 when they are valid UTF-8 and Windows-1252 otherwise, the way old editors saved them.
// Line breaks are kept as they are.
QString decodePlainText(QByteArrayView bytes);

} // namespace tallimark
