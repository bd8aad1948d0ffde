// Tallimark's window program. The only argument is the folder to show first.
#include "language/interfacelanguage.h"
#include "window/mainwindow.h"
#include "window/qtdialogs.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallimark"));
    QApplication::setApplicationVersion(QStringLiteral(TALLIMARK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tallimark"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tallimark.svg")));
    // The teacher's choice from Settings > Language, or else the system's language.
    tallimark::applyInterfaceLanguage(tallimark::LanguageChoice().startLanguage());

    // The whole argument string is the folder: a path with blanks needs no quotes.
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    tallimark::QtDialogs dialogs;
    tallimark::MainWindow window(dialogs, {arguments.join(QLatin1Char(' ')), QString()});
    window.show();
    window.start();
    return QApplication::exec();
}
