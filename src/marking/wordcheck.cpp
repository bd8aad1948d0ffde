#include "wordcheck.h"

#include "textpositions.h"

namespace tallimark {

using namespace text;

namespace {

// The last word passes when it is among the memo part's last 41 characters: the learner may have
// stopped in the middle of it.
constexpr int LastWordWindow = 41;

// The word check's view of one test: its words (joined in place), the memo, and the errors so far.
class WrongWordHandler
{
public:
    WrongWordHandler(Words &testWords, const ComparedMemo &memo, WordErrors &errors)
        : m_test(testWords), m_memo(memo), m_errors(errors)
    { }

    // Records test word wordIndex as an error (or a repeated one), trying joins with the next
    // word first. Returns whether the next word was merged into it.
    bool handle(int wordIndex)
    {
        const QString w = m_test.at(wordIndex);
        if (w.size() < 3 && w.contains(QChar(13))) {
            const char16_t first = w.front().unicode();
            const bool letterLike = first >= 65 && first <= 122;
            const bool digit = first >= u'0' && first <= u'9';
            if (!letterLike && !digit)
                return false;
        }
        if (w == QStringView(u"\n"))
            return false;

        const bool joined = !joinWithNextWord(wordIndex).isEmpty();
        m_errors.append(m_test.at(wordIndex), m_test.startOf(wordIndex));
        classifyError(wordIndex, m_errors.count, joined);
        countRepeats(wordIndex);
        return joined;
    }

private:
    // Only pairs that start before the last word of the shorter of test and memo part count.
    bool isRunTogetherMemoPair(const QString &word) const
    {
        const int m = m_memo.index().firstRunTogether(word);
        return m >= 0 && m < std::min(m_test.count(), m_memo.words().count()) - 1;
    }

    // Whether the memo has the joined text; the test word becomes the two words with a blank
    // between.
    bool tryJoin(int wordIndex, const QString &joined, const QString &w1, const QString &w2)
    {
        if (!m_memo.contains(joined))
            return false;
        m_test.setText(wordIndex, w1 + u' ' + w2);
        m_errors.merged.append(m_test.at(wordIndex + 1));
        return true;
    }

    // A wrong word may be one memo word split in two: the join the memo has, or an empty text.
    QString joinWithNextWord(int wordIndex)
    {
        // Only a word with a word after it can have been split in two.
        if (wordIndex + 1 >= m_test.count())
            return {};
        const QString w1 = trimBlanks(m_test.at(wordIndex));
        const QString w2 = trimBlanks(m_test.at(wordIndex + 1));
        for (const QString &joined : {w1 + w2, w1 + u'-' + w2, w1 + u'\'' + w2, w1 + QStringLiteral(" .")}) {
            if (tryJoin(wordIndex, joined, w1, w2) && !joined.isEmpty())
                return joined;
        }
        return {};
    }

    void classifyError(int wordIndex, int n, bool joined)
    {
        m_errors.setKind(n - 1, ErrorKind::Word);
        QString w = m_test.at(wordIndex);
        if (w.isEmpty() || w == QStringView(u"\r"))
            return;
        if (w == QStringView(u". ")) {
            w = QStringLiteral(" .");
            m_test.setText(wordIndex, w);
        }
        ErrorKind kind = ErrorKind::Word;
        if (isRunTogetherMemoPair(w))
            kind = ErrorKind::RunTogether;
        const QString core = w.chopped(1);
        const QString trimmed = trimBlanks(w);
        const std::pair<QChar, ErrorKind> signs[] = {{u'.', ErrorKind::FullStop},  {u',', ErrorKind::Comma},
                                                     {u'?', ErrorKind::OtherMark}, {u'!', ErrorKind::OtherMark},
                                                     {u';', ErrorKind::OtherMark}, {u':', ErrorKind::OtherMark}};
        for (const auto &[sign, signKind] : signs) {
            if (core.contains(sign) && !trimmed.endsWith(sign))
                kind = signKind;
        }
        if (joined) {
            kind = ErrorKind::Split;
            if (w.endsWith(QStringView(u" .")))
                kind = ErrorKind::FullStop;
            if (w.endsWith(QStringView(u" ,")))
                kind = ErrorKind::Comma;
        }
        m_errors.setKind(n - 1, kind);
    }

    // An error equal to an earlier one, or of the same non-zero kind, is a repeat: marked, and
    // not counted again.
    void countRepeats(int wordIndex)
    {
        const int n = m_errors.count;
        if (n <= 1)
            return;
        const QString word = m_test.at(wordIndex);
        const ErrorKind kind = m_errors.entry(n - 1).kind;
        for (int k = 1; k <= n - 1; ++k) {
            const ErrorEntry earlier = m_errors.entry(k - 1);
            if (!(earlier.word == word || (earlier.kind != ErrorKind::Word && earlier.kind == kind)))
                continue;
            m_errors.appendRepeat(word, m_test.startOf(wordIndex));
            if (k != m_errors.count)
                --m_errors.count;
        }
    }

    Words &m_test;
    const ComparedMemo &m_memo;
    WordErrors &m_errors;
};

} // namespace

bool isAcceptedWord(const QString &word, const ComparedMemo &memo)
{
    if (trimBlanksView(word).isEmpty() || memo.index().hasWord(word) || memo.index().hasEmptyWord())
        return true;
    const QString bare = trimRight(word);
    if (memo.contains(u' ' + bare + u'.') || memo.contains(u' ' + bare + u',') || memo.contains(bare + u'?')
        || memo.contains(bare + u'!'))
        return true;
    return word.endsWith(QChar(13)) && memo.contains(word.chopped(1) + u'.');
}

WordErrors checkWords(Words &testWords, const ComparedMemo &memo, TableOverflows &overflows)
{
    WordErrors errors;
    errors.overflows = &overflows;
    WrongWordHandler wrongWord(testWords, memo, errors);
    // Every word but the last; the last one is judged by the end of the memo part below.
    const int last = std::max(0, testWords.count() - 1);
    bool lastWordMerged = false;
    int wordIndex = 0;
    for (; wordIndex < last; ++wordIndex) {
        if (isAcceptedWord(testWords.at(wordIndex), memo))
            continue;
        // A word merged with the next one takes that one along: the check goes on after it.
        if (wrongWord.handle(wordIndex)) {
            ++wordIndex;
            lastWordMerged = wordIndex == last;
        } else {
            lastWordMerged = false;
        }
    }
    // A last word merged into the one before it has been dealt with already.
    if (lastWordMerged)
        return errors;
    QString w = testWords.at(wordIndex);
    if (w.isEmpty())
        w = testWords.at(wordIndex - 1);
    const QStringView memoText(memo.text());
    const int windowStart = memo.cutLength() - LastWordWindow;
    const QStringView window =
        windowStart >= 0 ? memoText.mid(windowStart, LastWordWindow) : memoText.left(std::max(0, memo.cutLength()));
    if (window.isEmpty() || !window.contains(trimBlanksView(w)))
        wrongWord.handle(wordIndex);
    return errors;
}

void checkDoubledWords(Words &testWords, const ComparedMemo &memo, WordErrors &errors)
{
    WrongWordHandler wrongWord(testWords, memo, errors);
    errors.doubledCount = 0;
    for (int wordIndex = 1; wordIndex < testWords.count(); ++wordIndex) {
        const QString &w = testWords.at(wordIndex);
        const QString &previous = testWords.at(wordIndex - 1);
        if (trimBlanksView(w).isEmpty() || w == QStringView(u"\r") || w != previous)
            continue;
        if (memo.contains(previous + w))
            continue;
        if (wrongWord.handle(wordIndex))
            ++wordIndex; // merged with the next word, which is not checked again
        ++errors.doubledCount;
    }
}

} // namespace tallimark
