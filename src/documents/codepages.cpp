#include "codepages.h"

#include "platformcodepage.h"

namespace tallimark {

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the rest of the code page is Latin-1.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

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

CodePageDecoder::~CodePageDecoder() = default;

void CodePageDecoder::decode(QByteArrayView bytes, int codePage, QString &out)
{
    if (bytes.isEmpty())
        return;
    platform::CodePageConverter *converter = codePage == CodePage::Windows1252 ? nullptr : converterFor(codePage);
    if (!converter) {
        const qsizetype start = out.size();
        out.resize(start + bytes.size());
        char16_t *dst = reinterpret_cast<char16_t *>(out.data()) + start;
        for (qsizetype i = 0; i < bytes.size(); ++i)
            dst[i] = cp1252ToUnicode(uchar(bytes[i]));
        return;
    }
    converter->decode(bytes, out);
}

platform::CodePageConverter *CodePageDecoder::converterFor(int codePage)
{
    auto found = m_converters.find(codePage);
    if (found == m_converters.end())
        found = m_converters.emplace(codePage, platform::CodePageConverter::open(codePage)).first;
    return found->second.get();
}

} // namespace tallimark
