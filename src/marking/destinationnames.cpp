#include "destinationnames.h"

#include <QHash>
#include <QSet>

namespace tallimark {

namespace {

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString folderNameOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QString() : fileNameOf(path.left(slash));
}

} // namespace

QStringList destinationFileNames(const QStringList &tests)
{
    QStringList names;
    QSet<QString> taken;           // folded to lower case
    QHash<QString, QString> given; // a test's path -> its name, for a path given twice
    for (const QString &test : tests) {
        if (const auto earlier = given.constFind(test); earlier != given.constEnd()) {
            names.append(*earlier);
            continue;
        }
        const QString own = fileNameOf(test);
        QString name = own;
        const QString folder = folderNameOf(test);
        for (int n = 1; taken.contains(name.toLower()); ++n) {
            const QString prefix = n == 1 ? folder : folder + QStringLiteral(" %1").arg(n);
            name = prefix + QStringLiteral(" - ") + own;
        }
        taken.insert(name.toLower());
        given.insert(test, name);
        names.append(name);
    }
    return names;
}

} // namespace tallimark
