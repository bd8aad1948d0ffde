// Which memo a test is compared with, told from a few common words of each language.
#pragma once

#include "documents/workspace.h"

#include <QString>

namespace tallimark {

// The language of the first rule that fires on the test's plain text; Afrikaans when none does.
MemoLanguage chooseMemoLanguage(const QString &testText);

} // namespace tallimark
