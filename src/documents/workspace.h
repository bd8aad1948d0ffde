// The documents and names that the window, the marking session and the viewers share.
#pragma once

#include "richdocument.h"

#include <QString>

#include <array>

namespace tallimark {

enum class MemoLanguage { Afrikaans = 0, English = 1 };

struct Workspace
{
    RichDocument testDocument; // the test being marked, later its marked copy
    RichDocument memoDocument; // one memo at a time

    // Which file holds which memo, indexed by MemoLanguage; the marking session reloads the
    // memo of each test from here.
    std::array<QString, 2> memoFiles{QStringLiteral("Bron.rtf"), QStringLiteral("Source.rtf")};

    // The document loaded last: a memo's name, a viewed file, or the test being marked.
    QString currentFile;

    // Full path of the destination folder: the program's own folder, a separator and the name.
    QString destFolder;

    const QString &memoFile(MemoLanguage language) const { return memoFiles[size_t(language)]; }
};

} // namespace tallimark
