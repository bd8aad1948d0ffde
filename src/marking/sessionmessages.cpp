#include "sessionmessages.h"

#include "textpositions.h"

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

QString naming(const QString &message, const Failure &failure)
{
    const QString where = failure.where();
    return where.isEmpty() ? message : message + text::CR + where;
}

} // namespace

std::optional<QString> sessionEndingMessage(const Failure &failure, const QString &currentTestLabel)
{
    switch (failure.number) {
    case ErrorNumber::PathFileAccess:
        return naming(u"Tallimark does not have access to certain documents. Maybe Eng/Afr source document is "
                      "empty, or speed test is not a valid file."_s,
                      failure);
    case ErrorNumber::WriteProtected:
        return naming(u"Tallimark does not have access to write-protected disk. Please save speed tests on an "
                      "accessible disk."_s,
                      failure);
    // Skipping a write that found no room, or that the disk failed, would lose the test's result
    // without a word; each says what happened, so the teacher knows whether to make room.
    case ErrorNumber::DiskFull:
        return naming(u"The disk is full. Please make room, or save speed tests on another disk."_s, failure);
    case ErrorNumber::DeviceIo:
        return naming(u"The disk failed to read or write a file. Please check the disk, or save speed tests on "
                      "another disk."_s,
                      failure);
    case ErrorNumber::PermissionDenied:
        return naming(u"Permission denied. Try another location."_s, failure);
    case ErrorNumber::Overflow:
        return u"Overflow error. "_s + currentTestLabel + u" may be too large. This session will terminate."_s;
    default:
        return std::nullopt;
    }
}

} // namespace tallimark
