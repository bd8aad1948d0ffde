// Numbers as the report and the results file show them: the shortest form with at most 15
// significant digits, no leading blank, the system locale's decimal separator, and an exponent
// ("1E-05", "8.88178419700125E-17") only where 15 digits cannot show the value plainly.
#pragma once

#include <QString>

namespace tallimark {

QString numberText(double value);
QString numberText(double value, const QString &decimalSeparator);
QString numberText(qint64 value);

} // namespace tallimark
