#include "rtftokenizer.h"

#include <array>
#include <climits>

namespace tallimark {

namespace {

// Bytes that end a run of text: the three RTF specials and the line breaks, which RTF ignores.
constexpr std::array<bool, 256> makeTextStops()
{
    std::array<bool, 256> stops{};
    stops[uchar('\\')] = stops[uchar('{')] = stops[uchar('}')] = true;
    stops[uchar('\r')] = stops[uchar('\n')] = true;
    return stops;
}
constexpr std::array<bool, 256> textStops = makeTextStops();

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

RtfToken tokenOf(RtfToken::Kind kind)
{
    RtfToken token;
    token.kind = kind;
    return token;
}

} // namespace

RtfTokenizer::RtfTokenizer(QByteArrayView data) : m_data(data.data()), m_size(data.size()) { }

RtfToken RtfTokenizer::next()
{
    while (m_pos < m_size) {
        const char c = m_data[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            return tokenOf(RtfToken::GroupStart);
        case '}':
            ++m_pos;
            return tokenOf(RtfToken::GroupEnd);
        case '\\':
            return readBackslash();
        case '\r':
        case '\n':
            ++m_pos;
            continue;
        default: {
            const qsizetype start = m_pos;
            while (m_pos < m_size && !textStops[uchar(m_data[m_pos])])
                ++m_pos;
            RtfToken token = tokenOf(RtfToken::Text);
            token.bytes = std::string_view(m_data + start, size_t(m_pos - start));
            return token;
        }
        }
    }
    return tokenOf(RtfToken::End);
}

RtfToken RtfTokenizer::readBackslash()
{
    ++m_pos; // the backslash
    if (m_pos >= m_size)
        return tokenOf(RtfToken::End);
    const char c = m_data[m_pos];
    if (isLetter(c))
        return readControlWord();

    ++m_pos;
    if (c == '\'') {
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_pos < m_size) {
            const int digit = hexDigitValue(m_data[m_pos]);
            if (digit < 0)
                break;
            value = value * 16 + digit;
            ++digits;
            ++m_pos;
        }
        if (digits == 0) {
            // A broken escape stands for nothing; the reader ignores unknown symbols.
            RtfToken broken = tokenOf(RtfToken::ControlSymbol);
            broken.symbol = c;
            return broken;
        }
        RtfToken token = tokenOf(RtfToken::HexByte);
        token.symbol = char(value);
        return token;
    }
    RtfToken token = tokenOf(RtfToken::ControlSymbol);
    token.symbol = c;
    return token;
}

RtfToken RtfTokenizer::readControlWord()
{
    const qsizetype start = m_pos;
    while (m_pos < m_size && isLetter(m_data[m_pos]))
        ++m_pos;
    RtfToken token = tokenOf(RtfToken::ControlWord);
    token.name = std::string_view(m_data + start, size_t(m_pos - start));

    bool negative = false;
    if (m_pos + 1 < m_size && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_size && isDigit(m_data[m_pos])) {
        long long value = 0;
        while (m_pos < m_size && isDigit(m_data[m_pos])) {
            if (value <= INT_MAX)
                value = value * 10 + (m_data[m_pos] - '0');
            ++m_pos;
        }
        if (value > INT_MAX)
            value = INT_MAX;
        token.parameter = int(negative ? -value : value);
        token.hasParameter = true;
    }
    if (m_pos < m_size && m_data[m_pos] == ' ')
        ++m_pos;

    if (token.name == "bin") {
        // The data may hold any byte, braces and backslashes included: skip it by its count,
        // or to the end of a file that is shorter than it claims.
        const qsizetype count = token.parameter > 0 ? qsizetype(token.parameter) : 0;
        const qsizetype available = qMin(count, m_size - m_pos);
        RtfToken binary = tokenOf(RtfToken::Binary);
        binary.bytes = std::string_view(m_data + m_pos, size_t(available));
        m_pos += available;
        return binary;
    }
    return token;
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace tallimark
