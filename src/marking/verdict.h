// How a test came out. The words for it are made only where a verdict is shown or written: the
// report box's line, the class record's cell.
#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace tallimark {

enum class Verdict {
    Successful,
    MayNotBeReliable, // so many error words occur in the memo that the teacher should look
    TooShortOrEmpty,
    TooLongOrCorrupt,
    Unreadable, // the test could not be read
    NotMarked,  // the test's memo could not be used, or the session ended before it
};

// The end of the test's report line: ".......Successful", ".......too long or corrupt (why)",
// ".......could not be read: why".
QString reportVerdict(Verdict verdict, const QString &detail = {});

// As the class record holds it: "Successful", "Too long or corrupt (why)".
QString recordVerdict(Verdict verdict, const QString &detail = {});
// The verdict and its detail back from a record cell; nothing for a text that is none.
std::optional<std::pair<Verdict, QString>> verdictFromRecord(const QString &text);

} // namespace tallimark
