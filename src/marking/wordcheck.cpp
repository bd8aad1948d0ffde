#include "wordcheck.h"

#include "textpositions.h"

namespace tallimark {

using namespace text;

namespace {

bool memoHasWord(const MarkingState &state, const QString &word)
{
    return state.memoIndex.hasWord(word) || state.memoIndex.hasEmptyWord();
}

bool isRunTogetherMemoPair(const MarkingState &state, const QString &word)
{
    const int last = std::min<int>(state.testWordCount, state.memoWordCount) - 1;
    const int m = state.memoIndex.firstRunTogether(word);
    return m >= 1 && m <= last;
}

// Whether the memo has the joined text; the test word becomes the two words with a blank between.
bool tryJoin(MarkingState &state, int wordIndex, const QString &joined, const QString &w1, const QString &w2,
             const QString &memoText)
{
    if (!state.memoContains(memoText, joined))
        return false;
    state.testWords.set(wordIndex, w1 + u' ' + w2, state.skipped);
    state.mergedList.append(state.testWords.at(wordIndex + 1));
    return true;
}

// A wrong word may be one memo word split in two: the join the memo has, or an empty text.
QString joinWithNextWord(MarkingState &state, int wordIndex, const QString &memoText)
{
    // Only a word with a word after it can have been split in two.
    if (wordIndex + 1 > state.testWordCount)
        return {};
    const QString w1 = trimBlanks(state.testWords.at(wordIndex));
    const QString w2 = trimBlanks(state.testWords.at(wordIndex + 1));
    for (const QString &joined : {w1 + w2, w1 + u'-' + w2, w1 + u'\'' + w2, w1 + QStringLiteral(" .")}) {
        if (tryJoin(state, wordIndex, joined, w1, w2, memoText) && !joined.isEmpty())
            return joined;
    }
    return {};
}

void classifyError(MarkingState &state, int wordIndex, int n, bool joined)
{
    state.errorKinds.set(n, 0, state.skipped);
    QString w = state.testWords.at(wordIndex);
    if (w.isEmpty() || w == QStringView(u"\r"))
        return;
    if (w == QStringView(u". ")) {
        w = QStringLiteral(" .");
        state.testWords.set(wordIndex, w, state.skipped);
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
    if (joined) {
        kind = 5;
        if (w.endsWith(QStringView(u" .")))
            kind = 1;
        if (w.endsWith(QStringView(u" ,")))
            kind = 2;
    }
    state.errorKinds.set(n, kind, state.skipped);
}

void countRepeats(MarkingState &state, int wordIndex)
{
    const int n = state.errorCount;
    if (n <= 1)
        return;
    const QString word = state.testWords.at(wordIndex);
    const quint8 kind = state.errorKinds.at(n);
    for (int k = 1; k <= n - 1; ++k) {
        const quint8 kindK = state.errorKinds.at(k);
        if (!(state.errorWords.at(k) == word || (kindK != 0 && kindK == kind)))
            continue;
        ++state.repeatCount;
        state.repeatWords.set(state.repeatCount, word, state.skipped);
        state.repeatStarts.set(state.repeatCount, state.wordStarts.at(wordIndex), state.skipped);
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

bool handleWrongWord(MarkingState &state, int wordIndex, const QString &memoText)
{
    const QString w = state.testWords.at(wordIndex);
    if (w.size() < 3 && w.contains(QChar(13))) {
        const char16_t first = w.front().unicode();
        const bool letterLike = first >= 65 && first <= 122;
        const bool digit = first >= u'0' && first <= u'9';
        if (!letterLike && !digit)
            return false;
    }
    if (w == QStringView(u"\n"))
        return false;

    const bool joined = !joinWithNextWord(state, wordIndex, memoText).isEmpty();

    ++state.errorCount;
    state.errorWords.set(state.errorCount, state.testWords.at(wordIndex), state.skipped);
    state.errorStarts.set(state.errorCount, state.wordStarts.at(wordIndex), state.skipped);
    classifyError(state, wordIndex, state.errorCount, joined);
    countRepeats(state, wordIndex);
    return joined;
}

void checkWords(MarkingState &state, const QString &memoText)
{
    state.mergedList.clear();
    state.doubledCount = 0;
    const int bound = state.testWordCount - 1;
    bool lastWordMerged = false;
    int wordIndex = 1;
    for (; wordIndex <= bound; ++wordIndex) {
        if (isAcceptedWord(state, state.testWords.at(wordIndex), memoText))
            continue;
        // A word merged with the next one takes that one along: the check goes on after it.
        if (handleWrongWord(state, wordIndex, memoText)) {
            ++wordIndex;
            lastWordMerged = wordIndex == state.testWordCount;
        } else {
            lastWordMerged = false;
        }
    }
    // The last word may be cut short: it passes when it is part of the memo's last compared
    // characters. A last word merged into the one before it has been dealt with already.
    if (lastWordMerged)
        return;
    QString w = state.testWords.at(wordIndex);
    if (w.isEmpty())
        w = state.testWords.at(wordIndex - 1);
    const int sliceStart = state.memoCutLength - 40;
    const QString slice = sliceStart >= 1 ? mid(memoText, sliceStart, 41) : left(memoText, state.memoCutLength);
    if (!contains(slice, trimBlanks(w)))
        handleWrongWord(state, wordIndex, memoText);
}

void checkDoubledWords(MarkingState &state, const QString &memoText)
{
    state.doubledCount = 0;
    const int bound = state.testWordCount;
    for (int wordIndex = 2; wordIndex <= bound; ++wordIndex) {
        const QString &w = state.testWords.at(wordIndex);
        const QString &previous = state.testWords.at(wordIndex - 1);
        if (trimBlanksView(w).isEmpty() || w == QStringView(u"\r") || w != previous)
            continue;
        if (state.memoContains(memoText, previous + w))
            continue;
        if (handleWrongWord(state, wordIndex, memoText))
            ++wordIndex; // merged with the next word, which is not checked again
        ++state.doubledCount;
    }
}

} // namespace tallimark
