// Pictures a document keeps as RTF (\pict groups): decoded so that a marked copy shows and
// prints them where the learner put them.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

#include <optional>

namespace tallimark {

struct RtfPicture
{
    QImage image;
    QSizeF twips; // the size the document shows it at, in twips
};

// The picture of a kept group: a \pict group, or a \shppict group around one. PNG and JPEG
// pictures only; a metafile or a bitmap in another form, the \nonshppict stand-in that follows a
// \shppict, or damaged data give none.
std::optional<RtfPicture> decodeRtfPicture(const QByteArray &keptGroup);

} // namespace tallimark
