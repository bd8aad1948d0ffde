// What one test of a marking session produced: the figures behind its report block and results
// line, for hosts that show more than the report box (the command line's JSON, progress, tests).
#pragma once

#include "verdict.h"

#include "documents/workspace.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tallimark {

// What a word error is about. Errors of one kind other than Word count once, however often made.
enum class ErrorKind : quint8 {
    Word,        // a wrong word, or a spacing error
    FullStop,    // a full stop inside what was typed, not at its end
    Comma,       // a comma inside what was typed, not at its end
    OtherMark,   // "?", "!", ";" or ":" inside what was typed, not at its end
    RunTogether, // two memo words typed as one
    Split,       // one memo word typed in two pieces
};

struct ErrorEntry
{
    QString word;
    int start = 0; // where it starts in the test's plain text, 0-based like every position here
    ErrorKind kind = ErrorKind::Word;
};

struct RepeatEntry
{
    QString word;
    int start = 0;
};

// One selection that the marking formatted in the test document.
struct HighlightOperation
{
    enum class Kind { Error, Repeat, Excess };
    int start = 0;
    int length = 0;
    Kind kind = Kind::Error;
};

// The line feeds and punctuation of a test and of the memo part it was compared with; what they
// cost is in layoutdeductions.h.
struct LayoutCounts
{
    int testLineFeeds = 0;
    int memoLineFeeds = 0;
    int testStops = 0;
    int memoStops = 0;
    int testCommas = 0;
    int memoCommas = 0;
    int testMarks = 0; // "!" and "?"
    int memoMarks = 0;

    friend bool operator==(const LayoutCounts &, const LayoutCounts &) = default;
};

// The figures of a marked test's result: the report block shows them, the results line the last.
struct ResultFigures
{
    qint64 charCount = 0;  // keystrokes
    qint64 grossWords = 0; // keystrokes / 5, rounded
    int errorCount = 0;    // words with errors, after the deductions
    double wpm = 0;        // before rounding
    double finalWpm = 0;
};

struct TestOutcome : ResultFigures
{
    // NotMarked: the test could not be read, or its memo could not be used; it has no result.
    enum class Status { Marked, TooShort, TooLong, NotMarked };

    QString path; // the test box entry
    Status status = Status::Marked;
    bool typedInCapitals = false; // only the first half of the text was marked
    std::optional<MemoLanguage> language;

    QString testText; // the test's plain text as compared (trailing blanks removed)
    QString memoText; // the whole memo's plain text it was compared with
    int memoCutLength = 0;

    QList<ErrorEntry> errors; // word and spacing errors, before the deductions
    QList<RepeatEntry> repeats;
    QStringList excessWords; // as listed in the report, parentheses included
    int doubleCounted = 0;

    LayoutCounts layout;

    QString reportText;
    Verdict verdict = Verdict::Successful;
    QString verdictDetail; // why a test was rejected or left unmarked
    QString resultsLine;   // the line for "Resultaat.res" (written or not), without CR LF
    bool resultsLineWritten = false;

    QList<HighlightOperation> highlights;
};

} // namespace tallimark
