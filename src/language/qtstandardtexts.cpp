// Qt's own button captions in message boxes and input boxes. Qt ships no Afrikaans translation,
// so the program's translation carries these few, under Qt's own context.
#include <QtGlobal>

namespace tallimark {

[[maybe_unused]] const char *const qtStandardButtonTexts[] = {
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"),    QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"),  QT_TRANSLATE_NOOP("QPlatformTheme", "&No"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Close"), QT_TRANSLATE_NOOP("QPlatformTheme", "Save"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Open"),
};

} // namespace tallimark
