#include "classtexts.h"

#include "records/classtable.h"

#include <QCoreApplication>

namespace tallimark {

namespace {

// The English names come from the class record's code; these marks put them into the
// translation files. A name without a translation shows in English (a test finds it).
[[maybe_unused]] const char *const tableNames[] = {
    QT_TRANSLATE_NOOP("ClassTable", "Learner"),       QT_TRANSLATE_NOOP("ClassTable", "Marked at"),
    QT_TRANSLATE_NOOP("ClassTable", "Memo language"), QT_TRANSLATE_NOOP("ClassTable", "Keystrokes"),
    QT_TRANSLATE_NOOP("ClassTable", "Gross words"),   QT_TRANSLATE_NOOP("ClassTable", "Words with errors"),
    QT_TRANSLATE_NOOP("ClassTable", "Final result"),  QT_TRANSLATE_NOOP("ClassTable", "Change"),
    QT_TRANSLATE_NOOP("ClassTable", "Verdict"),       QT_TRANSLATE_NOOP("ClassTable", "Remarks"),
};

[[maybe_unused]] const char *const figureNames[] = {
    QT_TRANSLATE_NOOP("ClassFigures", "Tests marked"),
    QT_TRANSLATE_NOOP("ClassFigures", "Tests rejected"),
    QT_TRANSLATE_NOOP("ClassFigures", "Tests not marked"),
    QT_TRANSLATE_NOOP("ClassFigures", "Mean"),
    QT_TRANSLATE_NOOP("ClassFigures", "Median"),
    QT_TRANSLATE_NOOP("ClassFigures", "Lowest"),
    QT_TRANSLATE_NOOP("ClassFigures", "Highest"),
    QT_TRANSLATE_NOOP("ClassFigures", "Standard deviation (population)"),
};

[[maybe_unused]] const char *const detailNames[] = {
    QT_TRANSLATE_NOOP("ClassDetails", "School"),
    QT_TRANSLATE_NOOP("ClassDetails", "Teacher"),
    QT_TRANSLATE_NOOP("ClassDetails", "Grade and class"),
    QT_TRANSLATE_NOOP("ClassDetails", "Subject"),
    QT_TRANSLATE_NOOP("ClassDetails", "Test"),
    QT_TRANSLATE_NOOP("ClassDetails", "Test date"),
};

} // namespace

QStringList shownClassTableHeader()
{
    QStringList shown;
    for (const QString &name : classTableHeader())
        shown.append(QCoreApplication::translate("ClassTable", name.toUtf8().constData()));
    return shown;
}

QString shownFigureLabel(const QString &label)
{
    return QCoreApplication::translate("ClassFigures", label.toUtf8().constData());
}

QString shownClassDetailLabel(const QString &label)
{
    return QCoreApplication::translate("ClassDetails", label.toUtf8().constData());
}

} // namespace tallimark
