// Name escaping is the same on every platform; only POSIX hands names over as bytes.
#include "platformfile.h"

#include <algorithm>

namespace tallimark::platform {

namespace {

constexpr char16_t escapedByteBase = 0xDC00;

bool isEscapedByte(QChar c)
{
    return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF;
}

// Bytes of one UTF-8 sequence led by this byte, or 0 for a byte that cannot lead one.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

} // namespace

QString decodeName(QByteArrayView name)
{
    if (name.isValidUtf8())
        return QString::fromUtf8(name);
    QString decoded;
    qsizetype i = 0;
    while (i < name.size()) {
        const auto lead = static_cast<unsigned char>(name[i]);
        const int length = sequenceLength(lead);
        if (length > 0 && i + length <= name.size() && name.sliced(i, length).isValidUtf8()) {
            decoded += QString::fromUtf8(name.sliced(i, length));
            i += length;
        } else {
            decoded += QChar(char16_t(escapedByteBase + lead));
            ++i;
        }
    }
    return decoded;
}

QByteArray encodeName(const QString &name)
{
    if (std::none_of(name.cbegin(), name.cend(), isEscapedByte))
        return name.toUtf8();
    QByteArray encoded;
    qsizetype i = 0;
    while (i < name.size()) {
        if (isEscapedByte(name[i])) {
            encoded += char(name[i].unicode() - escapedByteBase);
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < name.size() && !isEscapedByte(name[end]))
            ++end;
        encoded += QStringView(name).sliced(i, end - i).toUtf8();
        i = end;
    }
    return encoded;
}

} // namespace tallimark::platform
