#include "wordcheck.h"

#include "textpositions.h"

namespace tallimark {

using namespace text;

namespace {

bool memoHasWord(const MarkingState &state, const QString &word)
{
    if (!state.literalComparisons)
        return state.memoIndex.hasWord(word) || state.memoIndex.hasEmptyWord();
    for (int j = 1; j <= state.memoWordCount; ++j) {
        const QString memoWord = state.memoWords.at(j);
        if (memoWord == word || memoWord.isEmpty())
            return true;
    }
    return false;
}

bool isRunTogetherMemoPair(const MarkingState &state, const QString &word)
{
    const int last = std::min<int>(state.testWordCount, state.memoWordCount) - 1;
    if (!state.literalComparisons) {
        const int m = state.memoIndex.firstRunTogether(word);
        return m >= 1 && m <= last;
    }
    for (int m = 1; m <= last; ++m) {
        if (word == trimRight(state.memoWords.at(m)) + trimLeft(state.memoWords.at(m + 1)))
            return true;
    }
    return false;
}

void tryJoin(MarkingState &state, const QString &w1, const QString &w2, const QString &memoText)
{
    if (state.memoContains(memoText, state.joinText)) {
        state.testWords.set(state.wordIndex, w1 + u' ' + w2, state.skipped);
        state.mergedList.append(state.testWords.at(state.wordIndex + 1));
    } else {
        state.joinText.clear();
    }
}

void attemptJoins(MarkingState &state, const QString &memoText)
{
    state.joinText.clear();
    // Only a word with a word after it can have been split in two.
    if (state.wordIndex + 1 > state.testWordCount)
        return;
    const QString w1 = trimBlanks(state.testWords.at(state.wordIndex));
    const QString w2 = trimBlanks(state.testWords.at(state.wordIndex + 1));
    state.joinText = w1 + w2;
    tryJoin(state, w1, w2, memoText);
    if (state.joinText.isEmpty()) {
        state.joinText = w1 + u'-' + w2;
        tryJoin(state, w1, w2, memoText);
    }
    if (state.joinText.isEmpty()) {
        state.joinText = w1 + u'\'' + w2;
        tryJoin(state, w1, w2, memoText);
    }
    if (state.joinText.isEmpty()) {
        state.joinText = w1 + QStringLiteral(" .");
        tryJoin(state, w1, w2, memoText);
    }
}

void classifyError(MarkingState &state, int n)
{
    state.errorKinds.set(n, 0, state.skipped);
    QString w = state.testWords.at(state.wordIndex);
    if (w.isEmpty() || w == QStringView(u"\r"))
        return;
    if (w == QStringView(u". ")) {
        w = QStringLiteral(" .");
        state.testWords.set(state.wordIndex, w, state.skipped);
    }
    quint8 kind = 0;
    if (isRunTogetherMemoPair(state, w))
        kind = 4;
    const QString core = left(w, int(w.size()) - 1);
    const QString trimmed = trimBlanks(w);
    const std::pair<QChar, quint8> signs[] = {{u'.', 1}, {u',', 2}, {u'?', 3}, {u'!', 3}, {u';', 3}, {u':', 3}};
    for (const auto &[sign, signKind] : signs) {
        if (core.contains(sign) && !trimmed.endsWith(sign))
            kind = signKind;
    }
    if (!state.joinText.isEmpty()) {
        kind = 5;
        if (w.endsWith(QStringView(u" .")))
            kind = 1;
        if (w.endsWith(QStringView(u" ,")))
            kind = 2;
    }
    state.errorKinds.set(n, kind, state.skipped);
}

void countRepeats(MarkingState &state)
{
    const int n = state.errorCount;
    if (n <= 1)
        return;
    const QString word = state.testWords.at(state.wordIndex);
    const quint8 kind = state.errorKinds.at(n);
    for (int k = 1; k <= n - 1; ++k) {
        const quint8 kindK = state.errorKinds.at(k);
        if (!(state.errorWords.at(k) == word || (kindK != 0 && kindK == kind)))
            continue;
        ++state.repeatCount;
        state.repeatWords.set(state.repeatCount, word, state.skipped);
        state.repeatStarts.set(state.repeatCount, state.wordStarts.at(state.wordIndex), state.skipped);
        if (k != state.errorCount)
            --state.errorCount;
    }
}

} // namespace

bool isAcceptedWord(const MarkingState &state, const QString &word, const QString &memoText)
{
    if (trimBlanksView(word).isEmpty() || memoHasWord(state, word))
        return true;
    const QString bare = trimRight(word);
    if (state.memoContains(memoText, u' ' + bare + u'.') || state.memoContains(memoText, u' ' + bare + u',')
        || state.memoContains(memoText, bare + u'?') || state.memoContains(memoText, bare + u'!'))
        return true;
    return word.endsWith(QChar(13)) && state.memoContains(memoText, left(word, int(word.size()) - 1) + u'.');
}

void handleWrongWord(MarkingState &state, const QString &memoText)
{
    const QString w = state.testWords.at(state.wordIndex);
    if (w.size() < 3 && w.contains(QChar(13))) {
        const char16_t first = w.front().unicode();
        const bool letterLike = first >= 65 && first <= 122;
        const bool digit = first >= u'0' && first <= u'9';
        if (!letterLike && !digit)
            return;
    }
    if (w == QStringView(u"\n"))
        return;

    attemptJoins(state, memoText);

    ++state.errorCount;
    state.errorWords.set(state.errorCount, state.testWords.at(state.wordIndex), state.skipped);
    state.errorStarts.set(state.errorCount, state.wordStarts.at(state.wordIndex), state.skipped);
    classifyError(state, state.errorCount);
    countRepeats(state);

    if (!state.joinText.isEmpty())
        ++state.wordIndex;
}

void checkWords(MarkingState &state, const QString &memoText)
{
    state.mergedList.clear();
    state.doubledCount = 0;
    const int bound = state.testWordCount - 1;
    bool lastWordMerged = false;
    for (state.wordIndex = 1; state.wordIndex <= bound; ++state.wordIndex) {
        const QString w = state.testWords.at(state.wordIndex);
        state.wordOk = isAcceptedWord(state, w, memoText);
        if (!state.wordOk) {
            const int before = state.wordIndex;
            handleWrongWord(state, memoText);
            lastWordMerged = state.wordIndex != before && state.wordIndex == state.testWordCount;
        }
    }
    // The last word may be cut short: it passes when it is part of the memo's last compared
    // characters. A last word merged into the one before it has been dealt with already.
    if (lastWordMerged)
        return;
    QString w = state.testWords.at(state.wordIndex);
    if (w.isEmpty())
        w = state.testWords.at(state.wordIndex - 1);
    const int sliceStart = state.memoCutLength - 40;
    const QString slice = sliceStart >= 1 ? mid(memoText, sliceStart, 41) : left(memoText, state.memoCutLength);
    state.wordOk = contains(slice, trimBlanks(w));
    if (!state.wordOk)
        handleWrongWord(state, memoText);
}

void checkDoubledWords(MarkingState &state, const QString &memoText)
{
    state.doubledCount = 0;
    const int bound = state.testWordCount;
    for (state.wordIndex = 2; state.wordIndex <= bound; ++state.wordIndex) {
        const QString &w = state.testWords.at(state.wordIndex);
        const QString &previous = state.testWords.at(state.wordIndex - 1);
        if (trimBlanksView(w).isEmpty() || w == QStringView(u"\r") || w != previous)
            continue;
        if (state.memoContains(memoText, previous + w))
            continue;
        handleWrongWord(state, memoText);
        ++state.doubledCount;
    }
}

} // namespace tallimark
