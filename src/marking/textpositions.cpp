#include "textpositions.h"

namespace tallimark::text {

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
