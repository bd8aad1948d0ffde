// Every failure number Tallimark tells apart, and the platform's errno values mapped onto them.
#pragma once

namespace tallimark {

// The numbers are the ones the messages and the session's failure handling have always used,
// so they are kept as they are; only the names are ours.
enum class ErrorNumber : int {
    None = 0,
    Overflow = 6,            // a counter left its range
    SubscriptOutOfRange = 9, // an index beyond a table's bounds
    FileNotFound = 53,       // the source of a copy is missing
    DeviceIo = 57,           // EIO, and a failure the platform gave no reason for
    FileExists = 58,
    DiskFull = 61,         // ENOSPC, EDQUOT, EFBIG
    TooManyFiles = 67,     // EMFILE, ENFILE
    PermissionDenied = 70, // EACCES, EPERM
    PathFileAccess = 75,   // ENOENT and the other ways a path leads nowhere usable
    PathNotFound = 76,     // the folder of a copy's target is missing
    WriteProtected = 5156, // EROFS

    // Refusals of our own, with no platform number: a file that is too large to be a test, a
    // file that is neither RTF nor plain text, a memo too short to mark against, and a
    // destination folder that another session is marking into.
    TooLarge = 20001,
    NotText = 20002,
    TooShort = 20003,
    InUse = 20004, // the destination folder, by another marking session

    // errno values with no number of their own are reported as ErrnoBase + errno.
    ErrnoBase = 10000,
};

// The number of a C errno value (0, which a failed call should not leave, counts as an I/O
// failure).
ErrorNumber errorNumberOf(int err);

// True for the numbers that mean the disk has no room left for what was written.
inline bool isDiskFull(ErrorNumber number)
{
    return number == ErrorNumber::DiskFull || number == ErrorNumber::DeviceIo;
}

} // namespace tallimark
