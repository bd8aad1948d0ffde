#include "textpositions.h"

namespace tallimark::text {

int inStr(QStringView haystack, QStringView needle, int start)
{
    if (start < 1 || haystack.isEmpty() || start > haystack.size())
        return 0;
    if (needle.isEmpty())
        return start;
    const qsizetype at = haystack.indexOf(needle, start - 1);
    return at < 0 ? 0 : int(at) + 1;
}

int inStrRev(QStringView haystack, QStringView needle, int end)
{
    if (haystack.isEmpty())
        return 0;
    if (end < 0 || end > haystack.size())
        end = int(haystack.size());
    if (needle.isEmpty())
        return end;
    const qsizetype lastStart = end - needle.size();
    if (lastStart < 0)
        return 0;
    const qsizetype at = haystack.lastIndexOf(needle, lastStart);
    return at < 0 ? 0 : int(at) + 1;
}

QString mid(const QString &s, int start, int length)
{
    Q_ASSERT(start >= 1);
    if (start > s.size())
        return {};
    return length < 0 ? s.mid(start - 1) : s.mid(start - 1, length);
}

QString left(const QString &s, int length)
{
    return length <= 0 ? QString() : s.left(length);
}

QString right(const QString &s, int length)
{
    return length <= 0 ? QString() : s.right(length);
}

QString trimRight(const QString &s)
{
    qsizetype end = s.size();
    while (end > 0 && s.at(end - 1) == u' ')
        --end;
    return s.left(end);
}

QString trimLeft(const QString &s)
{
    qsizetype begin = 0;
    while (begin < s.size() && s.at(begin) == u' ')
        ++begin;
    return s.mid(begin);
}

QString trimBlanks(const QString &s)
{
    return trimLeft(trimRight(s));
}

QStringView trimRightView(QStringView s)
{
    while (!s.isEmpty() && s.back() == u' ')
        s.chop(1);
    return s;
}

QStringView trimBlanksView(QStringView s)
{
    s = trimRightView(s);
    while (!s.isEmpty() && s.front() == u' ')
        s = s.sliced(1);
    return s;
}

} // namespace tallimark::text
