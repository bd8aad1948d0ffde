// Runs the comparison stages of one test on plain texts, the way the session does.
#pragma once

#include "marking/markingstate.h"
#include "marking/testcomparison.h"

#include <QString>

#include <memory>

namespace tallimark::testing {

// A test that ends with these 42 characters, like its memo, is compared with the whole memo.
inline const QString Ending = QStringLiteral("and this sentence ends the memo text here.");

inline std::unique_ptr<MarkingState> compared(const QString &test, const QString &memo)
{
    auto state = std::make_unique<MarkingState>();
    compareWithMemo(*state, test, memo);
    return state;
}

} // namespace tallimark::testing
