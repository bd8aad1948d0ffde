// The class table's column names and the class figures' labels as the window and the class
// pack show them: in the interface's language. The class record and the command line keep the
// English names, which files and other tools rely on.
#pragma once

#include <QString>
#include <QStringList>

namespace tallimark {

QStringList shownClassTableHeader();
// A label of figureLines() ("Mean", "Tests rejected", ...).
QString shownFigureLabel(const QString &label);
// A label of classDetailLines() ("School", "Test date", ...).
QString shownClassDetailLabel(const QString &label);

} // namespace tallimark
