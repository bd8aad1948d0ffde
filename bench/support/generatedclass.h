// A memo and a class of tests typed from it, written as RTF files, shared by the benchmarks
// that mark a whole class.
#pragma once

#include "documents/richdocument.h"
#include "tests/marking/testgenerator.h"

#include <QDir>
#include <QProcess>
#include <QStringList>

#include <utility>

namespace tallimark::bench {

inline QString memoText()
{
    QRandomGenerator random(5000);
    return testing::generatedMemo(random, 5000).left(5000);
}

// The whole memo typed, with a typo every 30 words, a doubled word every 70 and a line typed
// twice, cut to 5,000 characters.
inline QString testText(const QString &memo, int variant)
{
    QStringList words = memo.split(u' ');
    QStringList typed;
    for (qsizetype k = 0; k < words.size(); ++k) {
        QString word = words.at(k);
        if ((k + variant) % 30 == 0 && word.size() > 2)
            std::swap(word[0], word[1]);
        typed.append(word);
        if ((k + variant) % 70 == 0)
            typed.append(word);
        if (k == 100)
            typed += words.mid(90, 10);
    }
    return typed.join(u' ').left(5000);
}

inline void saveRtf(const QString &text, const QString &path)
{
    RichDocument document;
    document.setText(text);
    (void)document.saveFile(path);
}

// Writes Bron.rtf and Source.rtf into memoFolder.
inline void writeMemos(const QString &memoFolder)
{
    const QString memo = memoText();
    saveRtf(memo, memoFolder + QStringLiteral("/Source.rtf"));
    saveRtf(memo, memoFolder + QStringLiteral("/Bron.rtf"));
}

// Writes count tests LearnerNN.rtf into classFolder (made if missing) and returns their paths.
inline QStringList writeClass(const QString &classFolder, int count)
{
    QDir().mkpath(classFolder);
    const QString memo = memoText();
    QStringList tests;
    for (int k = 0; k < count; ++k) {
        tests.append(classFolder + QStringLiteral("/Learner%1.rtf").arg(k, 2, 10, QLatin1Char('0')));
        saveRtf(testText(memo, k), tests.last());
    }
    return tests;
}

// Marks the tests with `tallimark-cli mark`, reusing the destination under outRoot; true when
// the command succeeded.
inline bool markThroughCommandLine(const QString &memoFolder, const QString &outRoot, const QStringList &tests)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QStringLiteral(TALLIMARK_BINARY_DIR "/cli/tallimark-cli"),
                  QStringList{QStringLiteral("mark"), QStringLiteral("--memos"), memoFolder,
                              QStringLiteral("--out-root"), outRoot, QStringLiteral("--reuse")}
                      + tests);
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

} // namespace tallimark::bench
