// The marking session's messages as the window shows them: in the interface's language where
// the message is the session's own fixed text. A message that names a file's failure keeps the
// system's own English description, and the command line shows every message as it is.
#pragma once

#include <QString>

namespace tallimark {

QString shownSessionText(const QString &text);

} // namespace tallimark
