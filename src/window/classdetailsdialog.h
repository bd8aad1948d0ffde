// The class details of one destination folder as the teacher enters them: school, teacher,
// grade and class, subject, test and date, for the class pack's cover.
#pragma once

#include "classpack/classdetails.h"

#include <QDialog>
#include <QList>

class QLineEdit;

namespace tallimark {

class ClassDetailsDialog : public QDialog
{
    Q_OBJECT

public:
    ClassDetailsDialog(const QString &destFolder, const ClassDetails &details, QWidget *parent = nullptr);

    ClassDetails details() const;

private:
    QList<QLineEdit *> m_edits; // in the order of classDetailFields
};

} // namespace tallimark
