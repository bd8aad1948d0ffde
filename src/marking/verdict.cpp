#include "verdict.h"

#include <array>

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

struct VerdictText
{
    Verdict verdict;
    QStringView words;
    QStringView detailOpen; // put between the words and a detail
    QStringView detailClose;
};

constexpr std::array<VerdictText, 6> Texts{{
    {Verdict::Successful, u"Successful", u" (", u")"},
    {Verdict::MayNotBeReliable, u"Result may not be reliable", u" (", u")"},
    {Verdict::TooShortOrEmpty, u"too short or empty", u" (", u")"},
    {Verdict::TooLongOrCorrupt, u"too long or corrupt", u" (", u")"},
    {Verdict::Unreadable, u"could not be read", u": ", u""},
    {Verdict::NotMarked, u"not marked", u": ", u""},
}};

constexpr bool inVerdictOrder()
{
    for (size_t i = 0; i < Texts.size(); ++i) {
        if (Texts[i].verdict != Verdict(i))
            return false;
    }
    return true;
}
static_assert(inVerdictOrder(), "textOf() finds a verdict's words by its number");

const VerdictText &textOf(Verdict verdict)
{
    return Texts[size_t(verdict)];
}

QString withDetail(const VerdictText &text, QString words, const QString &detail)
{
    if (!detail.isEmpty())
        words.append(text.detailOpen).append(detail).append(text.detailClose);
    return words;
}

QString capitalised(QStringView words)
{
    QString text = words.toString();
    text[0] = text.at(0).toUpper();
    return text;
}

} // namespace

QString reportVerdict(Verdict verdict, const QString &detail)
{
    const VerdictText &text = textOf(verdict);
    return withDetail(text, u"......."_s.append(text.words), detail);
}

QString recordVerdict(Verdict verdict, const QString &detail)
{
    const VerdictText &text = textOf(verdict);
    return withDetail(text, capitalised(text.words), detail);
}

std::optional<std::pair<Verdict, QString>> verdictFromRecord(const QString &cell)
{
    for (const VerdictText &text : Texts) {
        const QString words = capitalised(text.words);
        if (cell == words)
            return std::pair{text.verdict, QString()};
        const QString open = QString(words).append(text.detailOpen);
        if (cell.size() > open.size() + text.detailClose.size() && cell.startsWith(open)
            && cell.endsWith(text.detailClose))
            return std::pair{text.verdict,
                             cell.sliced(open.size(), cell.size() - open.size() - text.detailClose.size())};
    }
    return std::nullopt;
}

} // namespace tallimark
