// The class details a teacher files with the class pack (school, teacher, class, subject, test),
// entered once per destination folder and kept beside its class record as "Class details.json".
#pragma once

#include <QString>
#include <QStringList>

namespace tallimark {

inline const QString ClassDetailsFileName = QStringLiteral("Class details.json");

struct ClassDetails
{
    QString school;
    QString teacher;
    QString gradeAndClass; // "Grade 10 A"
    QString subject;
    QString testName;
    QString testDate; // as the teacher writes it

    bool isEmpty() const;
    friend bool operator==(const ClassDetails &, const ClassDetails &) = default;
};

// No teacher types more into one field; longer text in a damaged or edited file is cut here.
constexpr qsizetype MaxClassDetailLength = 200;

// Each field's label and value, in the order the dialog and the cover show them. The labels are
// English; classtexts gives them in the interface's language.
QList<QPair<QString, QString *>> classDetailFields(ClassDetails &details);
QList<QPair<QString, QString>> classDetailLines(const ClassDetails &details);

QString classDetailsPath(const QString &destFolder);

struct ClassDetailsRead
{
    ClassDetails details;
    QString problem; // "path: reason" when a file is there but could not be read
};

// The folder's details; empty ones when it has none. Only a regular file of a few kilobytes, UTF-8
// JSON with an object at its top, is read.
ClassDetailsRead readClassDetails(const QString &destFolder);

// Writes the details as the folder's whole file, replacing the old one only once the new one is
// complete. Empty on success, else "path: reason".
QString writeClassDetails(const QString &destFolder, const ClassDetails &details);

} // namespace tallimark
