// What `mark` and `summary` share: how they name themselves in messages, and how they answer an
// unknown option or --help before doing any work.
#pragma once

#include <QStringList>

#include <optional>

class QCommandLineParser;

namespace tallimark::cli {

// "tallimark-cli COMMAND: TEXT" on standard error.
void complainAs(const char *command, const QString &text);

// Parses the command's arguments. Returns the exit code when the command ends here: 2 after
// naming the bad option, 0 after printing the help; nothing when the command goes on.
std::optional<int> parseSubcommand(QCommandLineParser &parser, const char *command, const QStringList &arguments);

} // namespace tallimark::cli
