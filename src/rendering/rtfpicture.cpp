#include "rtfpicture.h"

#include "documents/rtftokenizer.h"

#include <QByteArrayView>

namespace tallimark {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Where the control word `name` stands in rtf (not as the start of a longer word), or -1.
qsizetype findWord(const QByteArray &rtf, QByteArrayView name, qsizetype from = 0)
{
    for (qsizetype at = rtf.indexOf(name, from); at >= 0; at = rtf.indexOf(name, at + 1)) {
        const qsizetype end = at + name.size();
        if (end >= rtf.size() || !isLetter(rtf.at(end)))
            return at;
    }
    return -1;
}

struct PictGroup
{
    QByteArray format; // "png", "jpg", or empty for a kind not decoded here
    QByteArray data;
    int goalWidth = 0, goalHeight = 0; // \picwgoal \pichgoal, twips
    int scaleX = 100, scaleY = 100;    // \picscalex \picscaley, percent
};

// Reads the \pict group's own words and data from just after "\pict" to its closing brace;
// nested groups (picture properties, a blip's id) are passed over.
PictGroup readPict(const QByteArray &rtf, qsizetype at)
{
    PictGroup pict;
    int depth = 1;
    int highNibble = -1;
    while (at < rtf.size() && depth > 0) {
        const char c = rtf.at(at++);
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            --depth;
        } else if (c == '\\' && at < rtf.size() && isLetter(rtf.at(at))) {
            const qsizetype nameStart = at;
            while (at < rtf.size() && isLetter(rtf.at(at)))
                ++at;
            const QByteArrayView name(rtf.constData() + nameStart, at - nameStart);
            const qsizetype numberStart = at;
            if (at < rtf.size() && rtf.at(at) == '-')
                ++at;
            while (at < rtf.size() && rtf.at(at) >= '0' && rtf.at(at) <= '9' && at - numberStart < 10)
                ++at;
            const int value = rtf.mid(numberStart, at - numberStart).toInt();
            if (at < rtf.size() && rtf.at(at) == ' ')
                ++at;
            if (depth != 1)
                continue;
            if (name == "pngblip")
                pict.format = "png";
            else if (name == "jpegblip")
                pict.format = "jpg";
            else if (name == "picwgoal")
                pict.goalWidth = value;
            else if (name == "pichgoal")
                pict.goalHeight = value;
            else if (name == "picscalex")
                pict.scaleX = value;
            else if (name == "picscaley")
                pict.scaleY = value;
            else if (name == "bin" && value > 0) {
                // Raw bytes in place of the hex digits.
                pict.data.append(rtf.mid(at, value));
                at += value;
            }
        } else if (c == '\\') {
            ++at; // an escaped symbol
        } else if (depth == 1) {
            const int nibble = hexDigitValue(c);
            if (nibble < 0)
                continue;
            if (highNibble < 0) {
                highNibble = nibble;
            } else {
                pict.data.append(char(highNibble << 4 | nibble));
                highNibble = -1;
            }
        }
    }
    return pict;
}

} // namespace

std::optional<RtfPicture> decodeRtfPicture(const QByteArray &keptGroup)
{
    // The \nonshppict group repeats the \shppict picture for older readers.
    const qsizetype standIn = findWord(keptGroup, "\\nonshppict");
    const qsizetype pictAt = findWord(keptGroup, "\\pict");
    if (pictAt < 0 || (standIn >= 0 && standIn < pictAt))
        return std::nullopt;
    const PictGroup pict = readPict(keptGroup, pictAt + 5);
    if (pict.format.isEmpty())
        return std::nullopt;
    RtfPicture picture;
    if (!picture.image.loadFromData(pict.data, pict.format.constData()) || picture.image.isNull())
        return std::nullopt;
    // Without a stated size the picture shows at 96 pixels to the inch, 15 twips a pixel.
    QSizeF twips(pict.goalWidth > 0 ? pict.goalWidth : picture.image.width() * 15.0,
                 pict.goalHeight > 0 ? pict.goalHeight : picture.image.height() * 15.0);
    if (pict.scaleX > 0)
        twips.setWidth(twips.width() * pict.scaleX / 100.0);
    if (pict.scaleY > 0)
        twips.setHeight(twips.height() * pict.scaleY / 100.0);
    picture.twips = twips;
    return picture;
}

} // namespace tallimark
