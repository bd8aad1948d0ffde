#include "plaintextdecoder.h"

#include "codepages.h"

#include <QStringDecoder>

namespace tallimark {

namespace {

bool startsWith(QByteArrayView bytes, std::initializer_list<uchar> prefix)
{
    if (bytes.size() < qsizetype(prefix.size()))
        return false;
    qsizetype i = 0;
    for (uchar b : prefix) {
        if (uchar(bytes[i++]) != b)
            return false;
    }
    return true;
}

QString decodeStrictly(QByteArrayView bytes, QStringConverter::Encoding encoding, bool *valid)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (valid)
        *valid = !decoder.hasError();
    return text;
}

} // namespace

QString decodePlainText(QByteArrayView bytes)
{
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return decodeStrictly(bytes.sliced(3), QStringConverter::Utf8, nullptr);
    if (startsWith(bytes, {0xFF, 0xFE}))
        return decodeStrictly(bytes.sliced(2), QStringConverter::Utf16LE, nullptr);
    if (startsWith(bytes, {0xFE, 0xFF}))
        return decodeStrictly(bytes.sliced(2), QStringConverter::Utf16BE, nullptr);

    bool valid = false;
    QString text = decodeStrictly(bytes, QStringConverter::Utf8, &valid);
    return valid ? text : decodeCp1252(bytes);
}

} // namespace tallimark
