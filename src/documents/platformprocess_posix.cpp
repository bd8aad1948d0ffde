// The platform's process table, POSIX side.
#include "platformfile.h"

#include <cerrno>
#include <csignal>
#include <sys/types.h>

namespace tallimark::platform {

bool processRunning(qint64 pid)
{
    if (pid <= 0 || pid != qint64(pid_t(pid)))
        return false;
    // Signal 0 only asks; a process of another user answers EPERM, and it runs all the same.
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

} // namespace tallimark::platform
