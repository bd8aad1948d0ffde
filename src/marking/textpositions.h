// 1-based text positions, the way the marking rules count: position 1 is the first character,
// 0 means "not found". Every stage goes through these instead of doing index arithmetic.
#pragma once

#include <QString>
#include <QStringView>

namespace tallimark::text {

// Position of the first occurrence of needle at or after start, or 0. An empty needle is found
// at start when the text is not empty.
int inStr(QStringView haystack, QStringView needle, int start = 1);
inline int inStr(int start, QStringView haystack, QStringView needle) { return inStr(haystack, needle, start); }

// Position of the last occurrence of needle that lies wholly within the first `end` characters
// (all of them when end is -1 or past the text), or 0.
int inStrRev(QStringView haystack, QStringView needle, int end = -1);

inline bool contains(QStringView haystack, QStringView needle) { return inStr(haystack, needle) > 0; }

// `length` characters from 1-based position start (to the end when length is -1); start must
// be at least 1. Parts past the end are simply not there.
QString mid(const QString &s, int start, int length = -1);
QString left(const QString &s, int length);  // negative lengths give ""
QString right(const QString &s, int length);

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
