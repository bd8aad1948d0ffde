#include "memoloader.h"

#include <QDir>
#include <QFileInfo>

namespace tallimark {

QString memoFileName(MemoLanguage language)
{
    return language == MemoLanguage::Afrikaans ? QStringLiteral("Bron.rtf") : QStringLiteral("Source.rtf");
}

Failure loadMemo(Workspace &workspace, MemoLanguage language, const QString &memoFolder)
{
    RichDocument &memo = workspace.memoDocument;
    memo.setText(QString());
    workspace.currentFile.clear();

    const QString name =
        memoFolder.isEmpty() ? memoFileName(language) : QDir(memoFolder).filePath(memoFileName(language));
    workspace.currentFile = name;
    memo.setFontName(QStringLiteral("Courier New"));

    Failure failure = memo.loadFile(name);
    if (failure.failed()) {
        const QString folder = QFileInfo(name).absolutePath();
        failure.description = QStringLiteral("The memo \"%1\" could not be read in the folder %2 (%3)")
                                  .arg(memoFileName(language), QDir::toNativeSeparators(folder), failure.description);
        return failure;
    }
    workspace.memoFiles[size_t(language)] = name;
    return Failure::ok();
}

Failure loadUsableMemo(RichDocument &memo, const QString &path)
{
    Failure failure = memo.loadFile(path);
    if (!failure.failed()) {
        const qsizetype length = memo.text().size();
        if (length >= MinimumMemoLength && length <= MaximumMemoLength)
            return Failure::ok();
        if (length > MaximumMemoLength)
            failure = Failure::refused(
                ErrorNumber::TooLarge, path,
                QStringLiteral("it has %1 characters; a memo may have at most %2").arg(length).arg(MaximumMemoLength));
        else
            failure = Failure::refused(ErrorNumber::TooShort, path,
                                       length == 0 ? QStringLiteral("it is empty")
                                                   : QStringLiteral("it has %1 characters; a memo needs at least %2")
                                                         .arg(length)
                                                         .arg(MinimumMemoLength));
        memo.setText(QString());
    }
    failure.description =
        QStringLiteral("The memo %1 cannot be used: %2").arg(QDir::toNativeSeparators(path), failure.reason);
    return failure;
}

QList<Failure> loadBothMemos(Workspace &workspace, const QString &memoFolder)
{
    QList<Failure> failures;
    for (MemoLanguage language : {MemoLanguage::Afrikaans, MemoLanguage::English}) {
        Failure failure = loadMemo(workspace, language, memoFolder);
        if (failure.failed())
            failures.append(failure);
    }
    return failures;
}

} // namespace tallimark
