// What a marked test leaves behind: the report block at the end of the marked copy, the
// marking of its excess words, the copy's file name, the results lines and the verdict.
#pragma once

#include "comparedmemo.h"
#include "testoutcome.h"
#include "worderrors.h"

#include "documents/richdocument.h"

namespace tallimark {

// Appends the report block to the test in red bold Courier.
void appendReportBlock(const QString &reportText, RichDocument &test);

// Shows the listed excess words of the report block in white on light red. testLength is the
// length of the test's plain text as it was compared.
// Returns the selection, or nothing when the report lists no excess words.
std::optional<HighlightOperation> markExcessWords(RichDocument &test, int testLength);

// The name of a test's copy in the destination less its folder and last 4 characters ("Unti"
// when it has none).
QString markedCopyBaseName(const QString &copyPath);
QString markedCopyPath(const QString &destFolder, const QString &copyPath);

// "<destFolder>/<name>   <result> wpm"
QString resultsLine(const QString &destFolder, const QString &copyPath, double finalWpm);
// "<entry less 4 characters>.rug  0  wpm", for a test that was not marked.
QString zeroResultLine(const QString &entry);

// Successful, or may not be reliable when six or more error words occur in the memo as typed.
// The verdict reads the first finalErrorCount slots of the error table: with the deductions that
// may be more than the entries, or fewer.
Verdict reliabilityVerdict(const WordErrors &errors, int finalErrorCount, const ComparedMemo &memo);

inline const QString ResultsFileName = QStringLiteral("Resultaat.res");

} // namespace tallimark
