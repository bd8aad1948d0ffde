// Keeps the user guide true to the program: takes its screenshots from the real window, in each
// language, and renders the guide as PDF.
//   tallimark-guide screenshots EXAMPLES GUIDE   the sample class marked offscreen; pictures into
//                                                GUIDE/<language>/images/
//   tallimark-guide pdf GUIDE/<language>/index.html OUT.pdf
#include "language/interfacelanguage.h"
#include "window/classresultswindow.h"
#include "window/dialogs.h"
#include "window/helpwindow.h"
#include "window/mainwindow.h"
#include "window/reportbox.h"
#include "window/testbox.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>

#include <cstdio>

using namespace tallimark;
using namespace Qt::StringLiterals;

namespace {

// The dialogs answer by themselves: messages are passed over, the open dialog gets a prepared file.
class QuietDialogs : public Dialogs
{
public:
    QString openAnswer;

    void message(QWidget *, const QString &, const QString &, Icon) override { }
    bool question(QWidget *, const QString &, const QString &) override { return false; }
    QString inputBox(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(QWidget *, const QString &, const QString &) override { return openAnswer; }
    QString saveFileName(QWidget *, const QString &, const QString &, QString &) override { return {}; }
    QString folderName(QWidget *, const QString &, const QString &) override { return {}; }
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }
    bool classDetails(QWidget *, const QString &, ClassDetails &) override { return false; }
};

// What a school laptop's 1024x600 screen leaves a maximised window.
constexpr QSize shotSize(1024, 530);

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

bool save(QWidget *widget, const QString &path)
{
    settle();
    if (widget->grab().save(path))
        return true;
    std::fprintf(stderr, "tallimark-guide: could not write %s\n", qPrintable(path));
    return false;
}

bool screenshots(const QString &examples, const QString &guide, InterfaceLanguage language)
{
    applyInterfaceLanguage(language);
    const QString images = guide + u'/' + languageCode(language) + u"/images"_s;
    QDir().mkpath(images);
    // A tidy copy of the sample: Tallimark's folder with the memos (the working folder, as the
    // program starts in it) and the class beside it. Its name is fixed, so that the pictures show
    // neither build paths nor a random name, and stay the same from one run to the next.
    QDir root(QDir::temp().filePath(u"School"_s));
    root.removeRecursively();
    const auto removeCopy = qScopeGuard([&root] { root.removeRecursively(); });
    const QString programFolder = root.filePath(u"Tallimark"_s);
    const QString classFolder = root.filePath(u"Tests/Grade10A"_s);
    QDir().mkpath(programFolder);
    QDir().mkpath(classFolder);
    for (const QString &memo : {u"Bron.rtf"_s, u"Source.rtf"_s})
        QFile::copy(examples + u'/' + memo, programFolder + u'/' + memo);
    QDirIterator sample(examples + u"/Grade10A"_s, {u"*.rtf"_s}, QDir::Files);
    while (sample.hasNext()) {
        sample.next();
        QFile::copy(sample.filePath(), classFolder + u'/' + sample.fileName());
    }
    QDir::setCurrent(programFolder);

    QuietDialogs dialogs;
    MainWindow window(dialogs, {classFolder, programFolder});
    window.resize(shotSize);
    window.show();
    window.start();
    settle();

    QStringList tests;
    QDirIterator found(classFolder, {u"*.rtf"_s}, QDir::Files);
    while (found.hasNext())
        tests.append(found.next());
    tests.sort();
    window.findChild<TestBox *>(u"testBox"_s)->appendTests(tests);
    window.finishFileListDrag();
    bool saved = save(&window, images + u"/window.png"_s);

    QEventLoop loop;
    QObject::connect(&window, &MainWindow::sessionFinished, &loop, &QEventLoop::quit);
    window.markTests();
    if (window.sessionRunning())
        loop.exec();
    saved &= save(&window, images + u"/session-report.png"_s);

    if (auto *results = window.findChild<ClassResultsWindow *>()) {
        results->resize(shotSize);
        saved &= save(results, images + u"/class-results.png"_s);
        results->close();
    }

    // A learner with every kind of word error, shown in the report box.
    dialogs.openAnswer = window.workspace().destFolder + u"/Pieter van Wyk.rug"_s;
    window.openMarkedCopy();
    saved &= save(&window, images + u"/marked-copy.png"_s);
    // Its report block, at the end of the copy.
    if (auto *report = window.findChild<ReportBox *>(u"reportBox"_s)) {
        settle();
        report->verticalScrollBar()->setValue(report->verticalScrollBar()->maximum());
        saved &= save(report, images + u"/report-block.png"_s);
    }

    // The guide itself, as F1 on the green box opens it.
    window.showHelp(u"choosing-tests"_s);
    if (HelpWindow *help = window.helpWindow()) {
        help->resize(shotSize);
        saved &= save(help, images + u"/help.png"_s);
        help->close();
    }
    return saved;
}

bool pdf(const QString &htmlFile, const QString &out)
{
    QFile html(htmlFile);
    if (!html.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tallimark-guide: cannot read %s\n", qPrintable(htmlFile));
        return false;
    }
    const QDir folder = QFileInfo(htmlFile).dir();
    QTextDocument document;
    // The pictures by the names the guide gives them.
    QDirIterator pictures(folder.filePath(u"images"_s), {u"*.png"_s}, QDir::Files);
    while (pictures.hasNext()) {
        const QString picture = pictures.next();
        document.addResource(QTextDocument::ImageResource, QUrl(u"images/"_s + QFileInfo(picture).fileName()),
                             QImage(picture));
    }
    document.setHtml(QString::fromUtf8(html.readAll()));

    QPdfWriter writer(out);
    writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
    writer.setCreator(u"Tallimark"_s);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    document.print(&writer);
    if (!QFileInfo(out).isFile()) {
        std::fprintf(stderr, "tallimark-guide: could not write %s\n", qPrintable(out));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == u"screenshots") {
        const QString examples = QFileInfo(arguments.at(2)).absoluteFilePath();
        const QString guide = QFileInfo(arguments.at(3)).absoluteFilePath();
        bool saved = true;
        for (const InterfaceLanguage language : {InterfaceLanguage::English, InterfaceLanguage::Afrikaans})
            saved &= screenshots(examples, guide, language);
        return saved ? 0 : 1;
    }
    if (arguments.size() == 4 && arguments.at(1) == u"pdf")
        return pdf(arguments.at(2), arguments.at(3)) ? 0 : 1;
    std::fputs("usage: tallimark-guide screenshots EXAMPLES GUIDE | pdf HTML OUT.pdf\n", stderr);
    return 2;
}
