// Windows code pages as RTF files and old plain-text files use them.
#pragma once

#include "platformcodepage.h"

#include <QByteArrayView>
#include <QString>

#include <map>
#include <memory>

namespace tallimark {

namespace CodePage {
constexpr int Windows1252 = 1252;
constexpr int Utf8 = 65001;
constexpr int MacRoman = 10000;
constexpr int Oem437 = 437;
constexpr int Oem850 = 850;
} // namespace CodePage

// The Unicode character of a Windows-1252 byte. The five bytes Windows leaves undefined map to
// the C1 control of the same value, as Windows itself does.
char16_t cp1252ToUnicode(uchar byte);
// The Windows-1252 byte of a character, or -1 when the code page has none.
int unicodeToCp1252(char16_t character);
QString decodeCp1252(QByteArrayView bytes);

// The code page of an RTF \fcharsetN, or 0 for the charsets that mean "the document's own"
// (DEFAULT_CHARSET, SYMBOL_CHARSET and unknown ones).
int codePageOfCharset(int charset);

// Decodes bytes of any code page; keeps its converters open for the next call. Bytes that the
// code page does not define become U+FFFD. Unknown code pages are read as Windows-1252.
class CodePageDecoder
{
public:
    CodePageDecoder() = default;
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder &) = delete;
    CodePageDecoder &operator=(const CodePageDecoder &) = delete;

    void decode(QByteArrayView bytes, int codePage, QString &out);

private:
    platform::CodePageConverter *converterFor(int codePage);
    // The system's converter per code page; null when the system lacks one.
    std::map<int, std::unique_ptr<platform::CodePageConverter>> m_converters;
};

} // namespace tallimark
