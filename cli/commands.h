// The subcommands of tallimark-cli. Each takes its own arguments (without the subcommand name)
// and returns the process exit code: 0 success, 1 failure, 2 bad usage.
#pragma once

#include <QStringList>

namespace tallimark::cli {

int runText(const QStringList &arguments);
int runMark(const QStringList &arguments);
int runSummary(const QStringList &arguments);

} // namespace tallimark::cli
