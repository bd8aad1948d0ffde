// A failed operation, numbered the way Tallimark's messages and error handling expect.
#pragma once

#include "errornumber.h"

#include <QString>

namespace tallimark {

struct Failure
{
    Failure() = default;
    Failure(ErrorNumber aNumber, QString aDescription, QString aPath = {}, QString aReason = {})
        : number(aNumber), description(std::move(aDescription)), path(std::move(aPath)), reason(std::move(aReason))
    { }

    ErrorNumber number = ErrorNumber::None;
    QString description;
    QString path;   // the file the failure is about, when there is one
    QString reason; // the system's reason ("No space left on device") or ours ("not a regular file")

    bool failed() const { return number != ErrorNumber::None; }

    static Failure ok() { return {}; }
    // Maps a C errno value (EACCES, EROFS, ENOENT, ENOSPC, ...) to its number; path goes into the description.
    static Failure fromErrno(int err, const QString &path);
    // A file refused for a reason of our own (too large, not text, not a regular file).
    static Failure refused(ErrorNumber number, const QString &path, const QString &reason);

    // "path (reason)", or whichever of the two is known: what a message adds to its own text.
    QString where() const;
};

// Thrown inside the marking engine, where one handler sorts failures by number.
class FailureException
{
public:
    explicit FailureException(Failure failure) : m_failure(std::move(failure)) { }
    const Failure &failure() const { return m_failure; }

private:
    Failure m_failure;
};

} // namespace tallimark
