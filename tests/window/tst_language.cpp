// The window in Afrikaans and English: the language at the start, the switch while open, the
// session's messages, the class texts, and the guide that Help and F1 open.
#include "classpack/classtexts.h"
#include "language/interfacelanguage.h"
#include "marking/destinationnames.h"
#include "records/classfigures.h"
#include "records/classtable.h"
#include "settings/languagemenu.h"
#include "window/classresultswindow.h"
#include "window/helpsections.h"
#include "window/helpwindow.h"
#include "window/sessiontexts.h"
#include "windowfixture.h"

#include <QMenu>
#include <QMessageBox>
#include <QTextBrowser>

using namespace tallimark;
using namespace Qt::StringLiterals;

namespace {

// Every text a teacher can see or hear of a window, accessible names included; sorted, since Qt
// makes some inner widgets only when first needed.
QStringList shownTexts(QWidget *top)
{
    QStringList texts{u"title: "_s + top->windowTitle()};
    const auto add = [&texts](const QObject *object, const QString &what, const QString &text) {
        if (!text.isEmpty())
            texts.append((object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                                         : object->objectName())
                         + u' ' + what + u": "_s + text);
    };
    for (QWidget *widget : top->findChildren<QWidget *>()) {
        add(widget, u"tip"_s, widget->toolTip());
        add(widget, u"accessible name"_s, widget->accessibleName());
        add(widget, u"accessible description"_s, widget->accessibleDescription());
        // Paths (the destination, the file shown) are no texts of the window's own.
        if (auto *label = qobject_cast<QLabel *>(widget); label && !qobject_cast<ElidedLabel *>(widget))
            add(widget, u"text"_s, label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            add(widget, u"text"_s, button->text());
        if (auto *menu = qobject_cast<QMenu *>(widget))
            add(widget, u"title"_s, menu->title());
        if (auto *bar = qobject_cast<QProgressBar *>(widget))
            add(widget, u"format"_s, bar->format());
        if (auto *view = qobject_cast<QAbstractItemView *>(widget); view && view->model()) {
            for (int c = 0; c < view->model()->columnCount(); ++c)
                add(widget, u"column"_s, view->model()->headerData(c, Qt::Horizontal).toString());
        }
    }
    for (QAction *action : top->findChildren<QAction *>())
        add(action, u"text"_s, action->text());
    texts.sort();
    return texts;
}

qsizetype changedTexts(const QStringList &texts, const QStringList &others)
{
    return std::count_if(texts.begin(), texts.end(), [&others](const QString &t) { return !others.contains(t); });
}

QStringList matches(const QString &text, const QString &pattern)
{
    QStringList found;
    auto it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        found.append(it.next().captured(1));
    return found;
}

} // namespace

class LanguageTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;

private slots:
    void initTestCase()
    {
        // The choice the menu remembers goes into a file of the test's, not the user's.
        LanguageMenu::setSettingsFile(m_settings.filePath(u"settings.ini"_s));
    }

    void cleanup()
    {
        applyInterfaceLanguage(InterfaceLanguage::English);
        QLocale::setDefault(QLocale::c());
        QFile::remove(m_settings.filePath(u"settings.ini"_s));
    }

    // The row's name is the system's locale; Dutch is close to Afrikaans but is not it.
    void systemOrRememberedLanguageChoosesTheInterface_data()
    {
        QTest::addColumn<InterfaceLanguage>("expected");
        QTest::newRow("af_ZA") << InterfaceLanguage::Afrikaans;
        for (const char *locale : {"nl_NL", "C"})
            QTest::newRow(locale) << InterfaceLanguage::English;
    }

    void systemOrRememberedLanguageChoosesTheInterface()
    {
        QFETCH(InterfaceLanguage, expected);
        const QLocale locale(QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(languageOfLocale(locale), expected);
        // Without a remembered choice the start follows the system; a remembered one wins, unless
        // it was edited by hand or written by another program.
        QLocale::setDefault(locale);
        const QString file = m_settings.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(LanguageChoice(file).startLanguage(), expected);
        const auto other =
            expected == InterfaceLanguage::English ? InterfaceLanguage::Afrikaans : InterfaceLanguage::English;
        LanguageChoice(file).save(other);
        QCOMPARE(LanguageChoice(file).startLanguage(), other);
        QSettings(file, QSettings::IniFormat).setValue(u"interface/language"_s, u"klingon"_s);
        QCOMPARE(LanguageChoice(file).saved(), std::nullopt);
    }

    void switchingRetranslatesTheOpenWindowAsANewOneReads()
    {
        WindowFixture english;
        const QStringList englishTexts = shownTexts(english.window.get());
        english.trigger(u"afrikaansAction"_s);
        QCoreApplication::processEvents();
        QVERIFY(english.control<QAction>(u"afrikaansAction"_s)->isChecked());
        // Remembered for the next start.
        QCOMPARE(LanguageChoice(m_settings.filePath(u"settings.ini"_s)).saved(), InterfaceLanguage::Afrikaans);

        const QStringList switched = shownTexts(english.window.get());
        {
            WindowFixture afrikaans;
            QCOMPARE(switched, shownTexts(afrikaans.window.get()));
        }
        const qsizetype translated = changedTexts(switched, englishTexts);
        QVERIFY2(translated >= 40, qPrintable(QString::number(translated)));
        QVERIFY(english.markAndWait());
        QCOMPARE(english.dialogs.messages, QStringList{u"Daar is nog geen spoedtoetse in die groen blok nie..."_s});

        english.trigger(u"englishAction"_s);
        QCoreApplication::processEvents();
        QCOMPARE(shownTexts(english.window.get()), englishTexts);
    }

    void classResultsFollowTheLanguage()
    {
        QTemporaryDir dest;
        QVERIFY(appendResult(dest.path(), u"Anika Botha"_s, 65, Verdict::Successful));
        ScriptedDialogs dialogs;
        // The class is read off the window's thread; each showing is waited for.
        const auto showAndWait = [&](ClassResultsWindow &window, const std::function<void()> &show) {
            QSignalSpy shown(&window, &ClassResultsWindow::folderShown);
            show();
            QVERIFY(shown.count() > 0 || shown.wait(10000));
        };
        ClassResultsWindow results(dialogs);
        showAndWait(results, [&] { results.showFolder(dest.path()); });
        const QStringList english = shownTexts(&results);

        showAndWait(results, [] { applyInterfaceLanguage(InterfaceLanguage::Afrikaans); });
        const QStringList switched = shownTexts(&results);
        ClassResultsWindow fresh(dialogs);
        showAndWait(fresh, [&] { fresh.showFolder(dest.path()); });
        QCOMPARE(switched, shownTexts(&fresh));
        QVERIFY2(changedTexts(switched, english) >= 15, qPrintable(switched.join(u'\n')));
        // The figures are still found by their English names.
        QCOMPARE(results.figure(u"Tests marked"_s), u"1"_s);

        // Every column name and figure label, which come from the class record's code, has its translation.
        const QStringList header = classTableHeader();
        const QStringList shown = shownClassTableHeader();
        for (qsizetype c = 0; c < header.size(); ++c)
            QVERIFY2(shown.at(c) != header.at(c), qPrintable(header.at(c)));
        for (const auto &[label, value] : figureLines(ClassFigures{}, u"."_s))
            QVERIFY2(shownFigureLabel(label) != label, qPrintable(label));
    }

    void sessionMessagesReadInAfrikaans_data()
    {
        QTest::addColumn<QString>("session");
        QTest::addColumn<QString>("shown");
        QTest::newRow("end, with the folder") << u"End of this marking session.\rResults have been saved in C:\\x\r"_s
                                              << u"Die nasiensessie is klaar.\rDie uitslae is gestoor in C:\\x\r"_s;
        QTest::newRow("memos, with their failures")
            << u"Source Document missing, or too small...\rBron.rtf: not found"_s
            << u"Die memo ontbreek of is te kort...\rBron.rtf: not found"_s;
        // The session's own check of an answer to "Folder already exists", with the answer in it.
        QTest::newRow("answer is a path")
            << destinationNameProblem(u"Gr 10/A"_s)
            << u"\"Gr 10/A\" is ’n pad, nie ’n vouernaam nie.\rTik net die naam van ’n vouer, sonder \"/\" of \"\\\"."_s;
        // A failure's own description stays as the system gives it.
        QTest::newRow("failure") << u"Permission denied. Try another location."_s
                                 << u"Permission denied. Try another location."_s;
        QTest::newRow("only the start of a fixed text")
            << u"End of this marking session."_s << u"End of this marking session."_s;
    }

    void sessionMessagesReadInAfrikaans()
    {
        QFETCH(QString, session);
        QFETCH(QString, shown);
        // In English every message is exactly the session's.
        QCOMPARE(shownSessionText(session), session);
        applyInterfaceLanguage(InterfaceLanguage::Afrikaans);
        QCOMPARE(shownSessionText(session), shown);
    }

    void qtOwnButtonsReadInAfrikaans()
    {
        // Qt has no Afrikaans of its own: the program's translation carries its message-box buttons.
        applyInterfaceLanguage(InterfaceLanguage::Afrikaans);
        QMessageBox box(QMessageBox::Question, u"t"_s, u"?"_s,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), u"&Ja"_s);
        QCOMPARE(box.button(QMessageBox::No)->text(), u"&Nee"_s);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), u"OK"_s);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), u"Kanselleer"_s);
    }

    void helpOpensTheGuideInTheInterfaceLanguage()
    {
        WindowFixture f;
        f.trigger(u"helpAction"_s);
        HelpWindow *help = f.window->helpWindow();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->browser()->source(), HelpWindow::guideUrl(u"en"_s));
        QVERIFY(help->contents()->topLevelItemCount() >= 8);

        applyInterfaceLanguage(InterfaceLanguage::Afrikaans);
        QCoreApplication::processEvents();
        QCOMPARE(help->browser()->source(), HelpWindow::guideUrl(u"af"_s));
        QCOMPARE(help->windowTitle(), u"Tallimark-gids"_s);
        QVERIFY(help->browser()->toPlainText().contains(u"Afronding"_s));

        help->searchBox()->setText(u"Resultaat.res"_s);
        QVERIFY(help->findNext());
        QCOMPARE(help->browser()->textCursor().selectedText(), u"Resultaat.res"_s);
        help->searchBox()->setText(u"xylofoon"_s);
        QVERIFY(!help->findNext());

        // F1 opens the guide at the section of the control that has the focus (no two alike in turn).
        f.showAndWait();
        for (const auto &[control, section] :
             {std::pair{u"fileList"_s, u"choosing-tests"_s}, std::pair{u"markButton"_s, u"marking"_s}}) {
            help->close();
            f.window->activateWindow();
            QWidget *focused = f.control(control);
            focused->setFocus();
            QTRY_VERIFY(focused->hasFocus());
            QTest::keyClick(focused, Qt::Key_F1);
            QVERIFY(help->isVisible());
            QCOMPARE(help->contents()->currentItem()->data(0, Qt::UserRole).toString(), section);
        }
    }

    void guidesHaveTheSameSectionsAndNoDeadLinks()
    {
        QStringList english;
        for (const QString &language : {u"en"_s, u"af"_s}) {
            QFile file(QStringLiteral(TALLIMARK_SOURCE_DIR "/docs/guide/") + language + u"/index.html"_s);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            const QStringList anchors = matches(html, u"<a name=\"([^\"]+)\""_s);
            if (english.isEmpty())
                english = anchors;
            QCOMPARE(anchors, english);
            for (const QString &link : matches(html, u"href=\"#([^\"]+)\""_s))
                QVERIFY2(anchors.contains(link), qPrintable(link));
            // Every picture is compiled in.
            for (const QString &image : matches(html, u"<img src=\"([^\"]+)\""_s))
                QVERIFY2(QFile::exists(u":/guide/"_s + language + u'/' + image), qPrintable(image));
        }
        QVERIFY(!english.isEmpty());
        for (const char *control :
             {"fileList", "destinationEdit", "markButton", "reportBox", "header", "classResultsWindow"}) {
            QWidget widget;
            widget.setObjectName(QString::fromLatin1(control));
            QVERIFY2(english.contains(helpSectionFor(&widget)), control);
        }
    }
};

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
