// The two memos as one marking session uses them: each file read once when the session starts
// (not once per test: a large memo would be parsed again for every test), and each one's tests
// following that memo alone, so that a broken English memo stops no Afrikaans test, nor the
// other way round.
#pragma once

#include "documents/failure.h"
#include "documents/workspace.h"

#include <array>

namespace tallimark {

class SessionMemos
{
public:
    // Reads both memos from the files the workspace names for them.
    void load(const Workspace &workspace);

    // Why the memo cannot be used (a description naming the file and the reason), or none.
    const Failure &failure(MemoLanguage language) const { return at(language).failure; }
    const RichDocument &document(MemoLanguage language) const { return at(language).document; }
    bool anyUsable() const;
    // Each memo's failure on its own line (CR between them), for the message that refuses a
    // session in which no memo can be used.
    QString failures() const;
    // True the first time it is asked for an unusable memo: its message is shown once a session.
    bool firstReport(MemoLanguage language);

private:
    struct Memo
    {
        RichDocument document;
        Failure failure;
        bool reported = false;
    };
    const Memo &at(MemoLanguage language) const { return m_memos[size_t(language)]; }

    std::array<Memo, 2> m_memos;
};

} // namespace tallimark
