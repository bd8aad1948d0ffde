#include "classdetails.h"

#include "marking/outputfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 MaxFileSize = qint64(64) * 1024;

// The keys in the file, in the order of classDetailFields.
const QStringList keys{u"school"_s, u"teacher"_s, u"class"_s, u"subject"_s, u"test"_s, u"date"_s};

QString cleaned(const QString &value)
{
    // One line each: the cover and the running header have room for no more.
    return value.simplified().left(MaxClassDetailLength);
}

} // namespace

bool ClassDetails::isEmpty() const
{
    return *this == ClassDetails{};
}

QList<QPair<QString, QString *>> classDetailFields(ClassDetails &details)
{
    return {{u"School"_s, &details.school},
            {u"Teacher"_s, &details.teacher},
            {u"Grade and class"_s, &details.gradeAndClass},
            {u"Subject"_s, &details.subject},
            {u"Test"_s, &details.testName},
            {u"Test date"_s, &details.testDate}};
}

QList<QPair<QString, QString>> classDetailLines(const ClassDetails &details)
{
    ClassDetails copy = details;
    QList<QPair<QString, QString>> lines;
    for (const auto &[label, value] : classDetailFields(copy))
        lines.append({label, *value});
    return lines;
}

QString classDetailsPath(const QString &destFolder)
{
    return destFolder + u'/' + ClassDetailsFileName;
}

ClassDetailsRead readClassDetails(const QString &destFolder)
{
    ClassDetailsRead read;
    const QString path = classDetailsPath(destFolder);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return read;
    if (!info.isFile()) {
        read.problem = path + u": not a regular file"_s;
        return read;
    }
    if (info.size() > MaxFileSize) {
        read.problem = path + u": too large for class details"_s;
        return read;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.problem = path + u": "_s + file.errorString();
        return read;
    }
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(file.read(MaxFileSize), &error);
    if (!json.isObject()) {
        read.problem =
            path + u": "_s + (error.error != QJsonParseError::NoError ? error.errorString() : u"no JSON object"_s);
        return read;
    }
    const QJsonObject object = json.object();
    const auto fields = classDetailFields(read.details);
    for (qsizetype i = 0; i < keys.size(); ++i)
        *fields.at(i).second = cleaned(object.value(keys.at(i)).toString());
    return read;
}

QString writeClassDetails(const QString &destFolder, const ClassDetails &details)
{
    ClassDetails copy = details;
    QJsonObject object;
    const auto fields = classDetailFields(copy);
    for (qsizetype i = 0; i < keys.size(); ++i)
        object.insert(keys.at(i), cleaned(*fields.at(i).second));
    return writeOutputFile(classDetailsPath(destFolder), QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace tallimark
