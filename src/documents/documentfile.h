// Reading and writing a document's file: what may be loaded as a test or memo, and saves that
// either replace the old file with a whole new one or leave it as it was.
#pragma once

#include "failure.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tallimark {

struct DocumentBytes
{
    QByteArray bytes;
    Failure failure;
};

// The bytes of a regular file of at most 64 MB that is RTF or plain text. Anything else fails
// with a reason: not a regular file (75), too large (TooLarge, unread), or not text (NotText,
// for example "a Word document saved under an .rtf name").
DocumentBytes readDocumentBytes(const QString &path);

// Why bytes are neither RTF nor plain text, or an empty string when they are one of the two.
// NUL bytes, the signature of a known binary format, or mostly control characters mean binary.
QString notTextReason(QByteArrayView bytes, const QString &path);

// Replaces the file at path with bytes (see platform::replaceFile); a failure leaves the old
// file whole and is numbered by its errno.
[[nodiscard]] Failure writeDocumentBytes(const QString &path, const QByteArray &bytes, bool syncNow);

} // namespace tallimark
