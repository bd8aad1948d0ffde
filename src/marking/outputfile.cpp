#include "outputfile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace tallimark {

using namespace Qt::StringLiterals;

QString outputRefusal(const QString &path)
{
    const QFileInfo info(path);
    // A link counts as what it points to; one that points nowhere is not a new name either.
    if ((info.exists() && !info.isFile()) || (!info.exists() && info.isSymLink()))
        return path + u": not a regular file (an output is written only over a file or under a new name)"_s;
    return {};
}

QString writeOutputFile(const QString &path, const QByteArray &bytes)
{
    if (QString refusal = outputRefusal(path); !refusal.isEmpty())
        return refusal;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return path + u": "_s + file.errorString();
    return {};
}

} // namespace tallimark
