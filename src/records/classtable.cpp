#include "classtable.h"

#include "classfigures.h"
#include "csvformat.h"

namespace tallimark {

using namespace Qt::StringLiterals;

QStringList classTableHeader()
{
    return {u"Learner"_s,           u"Marked at"_s,    u"Memo language"_s, u"Keystrokes"_s, u"Gross words"_s,
            u"Words with errors"_s, u"Final result"_s, u"Change"_s,        u"Verdict"_s,    u"Remarks"_s};
}

QStringList classTableFields(const LearnerResult &result, const QString &decimalSeparator)
{
    const ClassRecordRow &row = result.current;
    const auto count = [](const std::optional<qint64> &value) { return value ? QString::number(*value) : QString(); };
    const std::optional<double> change = result.change();
    return {row.learner,
            row.markedAt.isValid() ? row.markedAt.toLocalTime().toString(u"yyyy-MM-dd HH:mm"_s) : QString(),
            row.memoLanguage,
            count(row.keystrokes),
            count(row.grossWords),
            count(row.wordsWithErrors),
            row.finalResult ? resultText(*row.finalResult, decimalSeparator) : QString(),
            change ? changeText(*change, decimalSeparator) : QString(),
            row.verdictText(),
            row.remarks};
}

QString classTableCsv(const QList<LearnerResult> &results)
{
    QString csv = csvRecord(classTableHeader());
    for (const LearnerResult &result : results)
        csv += csvRecord(classTableFields(result, u"."_s));
    return csv;
}

} // namespace tallimark
