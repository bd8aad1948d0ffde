#include "rtfpicture.h"

#include "documents/rtftokenizer.h"

#include <string_view>

namespace tallimark {

namespace {

struct PictGroup
{
    QByteArray format; // "png", "jpg", or empty for a kind not decoded here
    QByteArray data;
    int goalWidth = 0, goalHeight = 0; // \picwgoal \pichgoal, twips
    int scaleX = 100, scaleY = 100;    // \picscalex \picscaley, percent
};

void readPictWord(const RtfToken &word, PictGroup &pict)
{
    const std::string_view name = word.name;
    if (name == "pngblip")
        pict.format = "png";
    else if (name == "jpegblip")
        pict.format = "jpg";
    else if (name == "picwgoal")
        pict.goalWidth = word.parameter;
    else if (name == "pichgoal")
        pict.goalHeight = word.parameter;
    else if (name == "picscalex")
        pict.scaleX = word.parameter;
    else if (name == "picscaley")
        pict.scaleY = word.parameter;
}

// The first \pict group's own words and data; its nested groups (picture properties, a blip's
// id) are passed over. Nothing when the \nonshppict group, which repeats the \shppict picture
// for older readers, comes first.
std::optional<PictGroup> readPict(const QByteArray &rtf)
{
    RtfTokenizer tokens(rtf);
    PictGroup pict;
    int depth = 0;
    int pictDepth = -1;
    int highNibble = -1;
    for (RtfToken token = tokens.next(); token.kind != RtfToken::End; token = tokens.next()) {
        if (token.kind == RtfToken::GroupStart) {
            ++depth;
        } else if (token.kind == RtfToken::GroupEnd) {
            if (depth-- == pictDepth)
                break;
        } else if (pictDepth < 0) {
            if (token.kind == RtfToken::ControlWord && token.name == "nonshppict")
                return std::nullopt;
            if (token.kind == RtfToken::ControlWord && token.name == "pict")
                pictDepth = depth;
        } else if (depth != pictDepth) {
            continue;
        } else if (token.kind == RtfToken::ControlWord) {
            readPictWord(token, pict);
        } else if (token.kind == RtfToken::Binary) {
            pict.data.append(token.bytes.data(), qsizetype(token.bytes.size())); // raw bytes for hex digits
        } else if (token.kind == RtfToken::Text) {
            for (const char c : token.bytes) {
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
    }
    if (pictDepth < 0)
        return std::nullopt;
    return pict;
}

} // namespace

std::optional<RtfPicture> decodeRtfPicture(const QByteArray &keptGroup)
{
    const std::optional<PictGroup> found = readPict(keptGroup);
    if (!found || found->format.isEmpty())
        return std::nullopt;
    const PictGroup &pict = *found;
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
