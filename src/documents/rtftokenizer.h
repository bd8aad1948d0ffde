// Splits RTF bytes into groups, control words, control symbols and runs of text.
#pragma once

#include <QByteArrayView>

#include <string_view>

namespace tallimark {

struct RtfToken
{
    enum Kind {
        End,
        GroupStart,
        GroupEnd,
        ControlWord,   // name, and parameter when hasParameter
        ControlSymbol, // symbol: the one character after the backslash
        Text,          // bytes: a run of literal text, without the source's CR and LF
        HexByte,       // symbol: the byte of \'hh
        Binary,        // bytes: the data of \binN, already skipped over
    };

    Kind kind = End;
    std::string_view name;
    std::string_view bytes;
    int parameter = 0;
    bool hasParameter = false;
    char symbol = 0;
};

// Reads linearly with no look-back; every byte sequence, however broken, ends in End.
class RtfTokenizer
{
public:
    explicit RtfTokenizer(QByteArrayView data);

    RtfToken next();
    qsizetype position() const { return m_pos; }

private:
    RtfToken readBackslash();
    RtfToken readControlWord();

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
};

// The value of one hex digit of RTF (\'hh, picture data), or -1 for any other byte.
int hexDigitValue(char c);

} // namespace tallimark
