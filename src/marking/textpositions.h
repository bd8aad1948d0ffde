// The blanks the marking rules trim (spaces only: a tab or a line break is part of a word), and
// the line ends of the report.
#pragma once

#include <QString>
#include <QStringView>

namespace tallimark::text {

// Blanks (spaces only, not tabs or line breaks) removed on the right, left or both sides.
QString trimRight(const QString &s);
QString trimLeft(const QString &s);
QString trimBlanks(const QString &s);
// The same without copying.
QStringView trimRightView(QStringView s);
QStringView trimBlanksView(QStringView s);

inline constexpr QChar CR = QChar(13);
inline const QString CRLF = QStringLiteral("\r\n");

} // namespace tallimark::text
