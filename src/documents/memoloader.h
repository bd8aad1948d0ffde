// Loading the Afrikaans and the English memo into the workspace's memo document.
#pragma once

#include "failure.h"
#include "workspace.h"

#include <QString>

namespace tallimark {

// The bare file name of a memo: "Bron.rtf" or "Source.rtf".
QString memoFileName(MemoLanguage language);

// Empties the memo document, sets its default font to "Courier New" and loads the memo.
// The name is resolved in memoFolder, or in the current working folder when memoFolder is
// empty (then the bare name is what gets recorded). On success the name becomes the memo's
// record in workspace.memoFiles and workspace.currentFile; on failure the memo document stays
// empty, the record keeps its old value, and the failure says which file in which folder.
[[nodiscard]] Failure loadMemo(Workspace &workspace, MemoLanguage language, const QString &memoFolder = {});

// A memo shorter than this cannot be marked against.
constexpr int MinimumMemoLength = 50;
// Nor can one longer than the marking's text tables hold. A memo must be at least as long as the
// longest test (5000 characters) to mark it whole, so this leaves room for every real passage,
// while a huge file saved under a memo's name is refused at once instead of taking minutes and
// gigabytes to compare with each test.
constexpr int MaximumMemoLength = 8000;

// Loads the memo file at path into memo and checks that tests can be marked against it: a
// missing, unreadable, non-text, empty, too short or too long memo fails with a description that names
// the memo and says why.
[[nodiscard]] Failure loadUsableMemo(RichDocument &memo, const QString &path);

// Start-up order: the Afrikaans memo, then the English one, so the English memo is in the
// memo document afterwards. Returns the failures, if any, in that order.
QList<Failure> loadBothMemos(Workspace &workspace, const QString &memoFolder = {});

} // namespace tallimark
