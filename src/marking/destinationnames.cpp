#include "destinationnames.h"

#include "documents/platformfile.h"

#include <QHash>
#include <QRegularExpression>
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

// What the common file systems take as one name, in bytes.
constexpr qsizetype LongestName = 255;

} // namespace

QString destinationNameProblem(const QString &name)
{
    const QString quoted = u'"' + name + u'"';
    if (name.isEmpty())
        return QStringLiteral("The folder name is empty.\rType the name of a folder.");
    if (name.contains(u'/') || name.contains(u'\\') || name == u"." || name == u"..")
        return quoted
            + QStringLiteral(" is a path, not a folder name.\rType the name of a folder only, without \"/\" "
                             "or \"\\\".");
    if (platform::encodeName(name).size() > LongestName)
        return quoted + QStringLiteral(" is too long for a folder name.\rType a shorter name.");
#ifdef Q_OS_WIN
    // Windows holds no folder with these characters, nor one whose name ends in a dot or a blank.
    static const QRegularExpression notOnWindows(QStringLiteral("[<>:\"|?*\\x00-\\x1F]|[. ]$"));
    if (notOnWindows.match(name).hasMatch())
        return quoted
            + QStringLiteral(" cannot be a folder name on Windows.\rType a name without < > : \" | ? * and not "
                             "ending in a dot or a blank.");
#endif
    return {};
}

QStringList destinationFileNames(const QStringList &tests, const HeldByAnother &heldByAnother)
{
    QStringList names;
    QSet<QString> taken;           // folded to lower case
    QHash<QString, QString> given; // a test's path -> its name, for a path given twice
    const auto isTaken = [&](const QString &name, const QString &test) {
        return taken.contains(name.toLower()) || (heldByAnother && heldByAnother(name, test));
    };
    for (const QString &test : tests) {
        if (const auto earlier = given.constFind(test); earlier != given.constEnd()) {
            names.append(*earlier);
            continue;
        }
        const QString own = fileNameOf(test);
        QString name = own;
        const QString folder = folderNameOf(test);
        for (int n = 1; isTaken(name, test); ++n) {
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
