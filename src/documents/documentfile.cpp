#include "documentfile.h"

#include "platformfile.h"

namespace tallimark {

namespace {

struct Signature
{
    QByteArrayView magic;
    const char *kind;
};

const Signature binarySignatures[] = {
    {"PK\x03\x04", "a Word document"}, // .docx (and any other zip archive)
    {"%PDF", "a PDF document"},
    {"\xD0\xCF\x11\xE0", "an old Word document (.doc)"},
    {"\x89PNG", "a picture"},
    {"\xFF\xD8\xFF", "a picture"},
    {"GIF8", "a picture"},
};

bool startsWithByteOrderMark(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

QString named(const QString &kind, const QString &path)
{
    return path.endsWith(QStringLiteral(".rtf"), Qt::CaseInsensitive)
        ? kind + QStringLiteral(" saved under an .rtf name")
        : kind + QStringLiteral(", not RTF or plain text");
}

} // namespace

QString notTextReason(QByteArrayView bytes, const QString &path)
{
    if (bytes.startsWith("{\\rtf") || startsWithByteOrderMark(bytes))
        return {};
    for (const Signature &signature : binarySignatures) {
        if (bytes.startsWith(signature.magic))
            return named(QString::fromUtf8(signature.kind), path);
    }
    qsizetype controls = 0;
    qsizetype high = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0)
            return named(QStringLiteral("binary data (it holds NUL bytes)"), path);
        if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f') || byte == 0x7F)
            ++controls;
        else if (byte >= 0x80)
            ++high;
    }
    // Text has few control characters; a Windows-1252 text has some bytes above 127, but
    // not a third of them, and valid UTF-8 may have any number.
    const bool mostlyControls = controls * 10 > bytes.size();
    const bool randomHighBytes = high * 3 > bytes.size() && !bytes.isValidUtf8();
    if (mostlyControls || randomHighBytes)
        return named(QStringLiteral("binary data (mostly control characters)"), path);
    return {};
}

DocumentBytes readDocumentBytes(const QString &path)
{
    platform::FileRead file = platform::readRegularFile(path);
    if (file.error != 0)
        return {{}, Failure::fromErrno(file.error, path)};
    switch (file.refusal) {
    case platform::Refusal::NotRegularFile:
        return {{}, Failure::refused(ErrorNumber::PathFileAccess, path, QStringLiteral("not a regular file"))};
    case platform::Refusal::TooLarge:
        return {{},
                Failure::refused(ErrorNumber::TooLarge, path,
                                 QStringLiteral("larger than 64 MB, too large for a document"))};
    case platform::Refusal::None:
        break;
    }
    const QString reason = notTextReason(file.bytes, path);
    if (!reason.isEmpty())
        return {{}, Failure::refused(ErrorNumber::NotText, path, reason)};
    return {std::move(file.bytes), Failure::ok()};
}

Failure writeDocumentBytes(const QString &path, const QByteArray &bytes, bool syncNow)
{
    const int error = platform::replaceFile(path, bytes, syncNow);
    return error == 0 ? Failure::ok() : Failure::fromErrno(error, path);
}

} // namespace tallimark
