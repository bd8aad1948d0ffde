// A failed operation, numbered the way Tallimark's messages and error handling expect.
#pragma once

#include <QString>

namespace tallimark {

namespace ErrorNumber {
constexpr int None = 0;
constexpr int Overflow = 6;
constexpr int SubscriptOutOfRange = 9;
constexpr int DeviceIo = 57;
constexpr int FileExists = 58;
constexpr int DiskFull = 61;
constexpr int TooManyFiles = 67;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int WriteProtected = 5156;
// errno values we have no number for are reported as ErrnoBase + errno.
constexpr int ErrnoBase = 10000;
} // namespace ErrorNumber

struct Failure
{
    int number = ErrorNumber::None;
    QString description;

    bool failed() const { return number != ErrorNumber::None; }

    static Failure ok() { return {}; }
    // Maps a C errno value (EACCES, EROFS, ENOENT, ENOSPC, ...) to its number; path goes into the description.
    static Failure fromErrno(int err, const QString &path);
};

// Thrown inside the marking engine, where one handler sorts failures by number.
class FailureException
{
public:
    explicit FailureException(Failure failure) : m_failure(std::move(failure)) {}
    const Failure &failure() const { return m_failure; }

private:
    Failure m_failure;
};

} // namespace tallimark
