#include "sessiontexts.h"

#include <QCoreApplication>

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

const char *const context = "SessionMessages";

// Messages and captions that are shown whole; the session writes none of them into a file.
const char *const wholeTexts[] = {
    QT_TRANSLATE_NOOP("SessionMessages", "Error"),
    QT_TRANSLATE_NOOP("SessionMessages", "Done"),
    QT_TRANSLATE_NOOP("SessionMessages", "Folder already exists"),
    QT_TRANSLATE_NOOP("SessionMessages", "No speed tests in the green box..."),
    QT_TRANSLATE_NOOP("SessionMessages", "Type new foldername or click Enter to proceed "),
    QT_TRANSLATE_NOOP("SessionMessages", "The folder name is empty.\rType the name of a folder."),
};

struct FramedText
{
    const char *source; // with %1 for what the session puts in
    QString before;
    QString after;
};

// Messages with a part of their own (a folder, the memos' failures) between fixed texts.
const FramedText framedTexts[] = {
    {QT_TRANSLATE_NOOP("SessionMessages", "End of this marking session.\rResults have been saved in %1\r"),
     u"End of this marking session.\rResults have been saved in "_s, u"\r"_s},
    {QT_TRANSLATE_NOOP("SessionMessages", "Source Document missing, or too small...\r%1"),
     u"Source Document missing, or too small...\r"_s, QString()},
    // The answers to "Folder already exists" that cannot be used.
    {QT_TRANSLATE_NOOP(
         "SessionMessages",
         "\"%1\" is a path, not a folder name.\rType the name of a folder only, without \"/\" or \"\\\"."),
     u"\""_s, u"\" is a path, not a folder name.\rType the name of a folder only, without \"/\" or \"\\\"."_s},
    {QT_TRANSLATE_NOOP("SessionMessages", "\"%1\" is too long for a folder name.\rType a shorter name."), u"\""_s,
     u"\" is too long for a folder name.\rType a shorter name."_s},
    {QT_TRANSLATE_NOOP("SessionMessages",
                       "\"%1\" cannot be a folder name on Windows.\rType a name without < > : \" | ? * and not "
                       "ending in a dot or a blank."),
     u"\""_s,
     u"\" cannot be a folder name on Windows.\rType a name without < > : \" | ? * and not ending in a dot or a "
     "blank."_s},
};

} // namespace

QString shownSessionText(const QString &text)
{
    for (const char *whole : wholeTexts) {
        if (text == QLatin1String(whole))
            return QCoreApplication::translate(context, whole);
    }
    for (const FramedText &framed : framedTexts) {
        if (text.startsWith(framed.before) && text.endsWith(framed.after)
            && text.size() >= framed.before.size() + framed.after.size()) {
            const QString inside =
                text.mid(framed.before.size(), text.size() - framed.before.size() - framed.after.size());
            return QCoreApplication::translate(context, framed.source).arg(inside);
        }
    }
    return text;
}

} // namespace tallimark
