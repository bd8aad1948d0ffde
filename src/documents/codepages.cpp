#include "codepages.h"

#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace tallimark {

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the rest of the code page is Latin-1.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char16_t replacementCharacter = 0xFFFD;

iconv_t invalidConverter()
{
    return reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr): the value iconv_open fails with
}

QByteArray iconvName(int codePage)
{
    switch (codePage) {
    case CodePage::Utf8:
        return QByteArrayLiteral("UTF-8");
    case CodePage::MacRoman:
        return QByteArrayLiteral("MACINTOSH");
    case 1200:
        return QByteArrayLiteral("UTF-16LE");
    case 1201:
        return QByteArrayLiteral("UTF-16BE");
    case 20127:
        return QByteArrayLiteral("ASCII");
    case 28591:
        return QByteArrayLiteral("ISO-8859-1");
    default:
        return QByteArrayLiteral("CP") + QByteArray::number(codePage);
    }
}

} // namespace

char16_t cp1252ToUnicode(uchar byte)
{
    return byte >= 0x80 && byte < 0xA0 ? cp1252High[byte - 0x80] : char16_t(byte);
}

int unicodeToCp1252(char16_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return character;
    for (int i = 0; i < 32; ++i) {
        // The undefined bytes decode to C1 controls, but those are written as \uN so that a
        // reader with another idea of the five holes still gets them right.
        if (cp1252High[i] == character && character > 0xFF)
            return 0x80 + i;
    }
    return -1;
}

QString decodeCp1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = cp1252ToUnicode(uchar(bytes[i]));
    return out;
}

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0:
        return CodePage::Windows1252; // ANSI_CHARSET is Windows-1252 whatever \ansicpg says
    case 77:
        return CodePage::MacRoman;
    case 128:
        return 932; // Shift-JIS
    case 129:
        return 949; // Hangul
    case 130:
        return 1361; // Johab
    case 134:
        return 936; // GB2312 / GBK
    case 136:
        return 950; // Big5
    case 161:
        return 1253; // Greek
    case 162:
        return 1254; // Turkish
    case 163:
        return 1258; // Vietnamese
    case 177:
        return 1255; // Hebrew
    case 178:
        return 1256; // Arabic
    case 186:
        return 1257; // Baltic
    case 204:
        return 1251; // Cyrillic
    case 222:
        return 874; // Thai
    case 238:
        return 1250; // Central European
    case 254:
        return CodePage::Oem437;
    case 255:
        return CodePage::Oem850;
    default:
        return 0; // default, symbol and unknown charsets
    }
}

CodePageDecoder::~CodePageDecoder()
{
    for (auto &[codePage, converter] : m_converters) {
        if (converter)
            iconv_close(static_cast<iconv_t>(converter));
    }
}

void *CodePageDecoder::converterFor(int codePage)
{
    auto found = m_converters.find(codePage);
    if (found != m_converters.end())
        return found->second;
    const QByteArray target =
        QSysInfo::ByteOrder == QSysInfo::LittleEndian ? QByteArrayLiteral("UTF-16LE") : QByteArrayLiteral("UTF-16BE");
    iconv_t converter = iconv_open(target.constData(), iconvName(codePage).constData());
    void *stored = converter == invalidConverter() ? nullptr : static_cast<void *>(converter);
    m_converters.emplace(codePage, stored);
    return stored;
}

void CodePageDecoder::decode(QByteArrayView bytes, int codePage, QString &out)
{
    if (bytes.isEmpty())
        return;
    void *handle = codePage == CodePage::Windows1252 ? nullptr : converterFor(codePage);
    if (!handle) {
        const qsizetype start = out.size();
        out.resize(start + bytes.size());
        char16_t *dst = reinterpret_cast<char16_t *>(out.data()) + start;
        for (qsizetype i = 0; i < bytes.size(); ++i)
            dst[i] = cp1252ToUnicode(uchar(bytes[i]));
        return;
    }

    iconv_t converter = static_cast<iconv_t>(handle);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    const qsizetype start = out.size();
    // No code page yields more UTF-16 units than bytes, except the replacement of one bad byte.
    out.resize(start + bytes.size() + 1);
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char *outBase = reinterpret_cast<char *>(out.data() + start);
    char *outPtr = outBase;
    size_t outLeft = size_t(bytes.size() + 1) * sizeof(char16_t);
    while (inLeft > 0) {
        const size_t done = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        if (done != size_t(-1))
            break;
        if (errno == E2BIG) {
            // A multi-byte code page cannot get here; grow anyway rather than lose text.
            const qsizetype used = qsizetype(outPtr - outBase);
            out.resize(out.size() + bytes.size() + 1);
            outBase = reinterpret_cast<char *>(out.data() + start);
            outPtr = outBase + used;
            outLeft += size_t(bytes.size() + 1) * sizeof(char16_t);
            continue;
        }
        // EILSEQ or a lead byte cut off at the end (EINVAL): one unreadable byte.
        if (outLeft < sizeof(char16_t)) {
            const qsizetype used = qsizetype(outPtr - outBase);
            out.resize(out.size() + 2);
            outBase = reinterpret_cast<char *>(out.data() + start);
            outPtr = outBase + used;
            outLeft += 2 * sizeof(char16_t);
        }
        const char16_t replacement = replacementCharacter;
        std::memcpy(outPtr, &replacement, sizeof replacement);
        outPtr += sizeof(char16_t);
        outLeft -= sizeof(char16_t);
        ++in;
        --inLeft;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(start + qsizetype(outPtr - outBase) / qsizetype(sizeof(char16_t)));
}

} // namespace tallimark
