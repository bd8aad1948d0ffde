// `tallimark-cli mark`: placeholder until the marking engine lands; it never pretends to mark.
#include "commands.h"

#include <cstdio>

namespace tallimark::cli {

int runMark(const QStringList &)
{
    std::fputs("tallimark-cli mark: this build has no marking engine yet\n", stderr);
    return 1;
}

} // namespace tallimark::cli
