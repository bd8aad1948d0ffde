#include "helpsections.h"

#include <QHash>
#include <QWidget>

namespace tallimark {

using namespace Qt::StringLiterals;

QString helpSectionFor(const QWidget *widget)
{
    // By the controls' object names; the guide's anchors are the same in every language.
    static const QHash<QString, QString> sections{
        {u"folderTree"_s, u"choosing-tests"_s},
        {u"fileList"_s, u"choosing-tests"_s},
        {u"testBox"_s, u"choosing-tests"_s},
        {u"clearTestsButton"_s, u"choosing-tests"_s},
        {u"destinationEdit"_s, u"destination"_s},
        {u"markButton"_s, u"marking"_s},
        {u"reportBox"_s, u"session-report"_s},
        {u"sessionProgress"_s, u"session-report"_s},
        {u"cancelMarkingButton"_s, u"session-report"_s},
        {u"closeReportButton"_s, u"session-report"_s},
        {u"header"_s, u"memos"_s},
        {u"classResultsWindow"_s, u"class-results"_s},
        {u"helpWindow"_s, QString()},
    };
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const auto found = sections.constFind(w->objectName());
        if (found != sections.constEnd())
            return *found;
    }
    return {};
}

} // namespace tallimark
