// Runs a check in a forked child. Under root the child drops to the unprivileged user 65534
// first, so that permission tests check the same thing in a root CI container as for a user.
#pragma once

#include "posixonly.h"

#include <functional>

#ifndef Q_OS_WIN
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tallimark::testing {

#ifdef Q_OS_WIN
// Windows has no fork: the checks that need a child are POSIX only and skip before calling this.
inline int inChildProcess(const std::function<int()> &, bool = true)
{
    return -1;
}
#else

// The check's result (0 to 255), 255 when the privileges could not be dropped, or -1 when the
// child did not exit normally.
inline int inChildProcess(const std::function<int()> &check, bool dropPrivileges = true)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (dropPrivileges && getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(255);
        _exit(check() & 0xFF);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

} // namespace tallimark::testing
