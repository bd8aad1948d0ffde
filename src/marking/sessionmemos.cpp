#include "sessionmemos.h"

#include "documents/memoloader.h"

#include <QStringList>

#include <algorithm>

namespace tallimark {

void SessionMemos::load(const Workspace &workspace)
{
    for (MemoLanguage language : {MemoLanguage::Afrikaans, MemoLanguage::English}) {
        Memo &memo = m_memos[size_t(language)];
        memo.document = RichDocument();
        memo.failure = loadUsableMemo(memo.document, workspace.memoFile(language));
        memo.reported = false;
    }
}

bool SessionMemos::anyUsable() const
{
    return std::any_of(m_memos.cbegin(), m_memos.cend(), [](const Memo &memo) { return !memo.failure.failed(); });
}

QString SessionMemos::failures() const
{
    QStringList lines;
    for (const Memo &memo : m_memos) {
        if (memo.failure.failed())
            lines.append(memo.failure.description);
    }
    return lines.join(u'\r');
}

bool SessionMemos::firstReport(MemoLanguage language)
{
    Memo &memo = m_memos[size_t(language)];
    if (!memo.failure.failed() || memo.reported)
        return false;
    memo.reported = true;
    return true;
}

} // namespace tallimark
