// Help and F1: the user guide in its own window.
#include "mainwindow.h"

#include "helpsections.h"
#include "helpwindow.h"

#include <QAction>
#include <QApplication>

namespace tallimark {

void MainWindow::createHelpShortcut()
{
    // F1 wherever the focus is, the class results window included.
    auto *contextHelp = new QAction(this);
    contextHelp->setObjectName(QStringLiteral("contextHelpAction"));
    contextHelp->setShortcut(QKeySequence::HelpContents);
    contextHelp->setShortcutContext(Qt::ApplicationShortcut);
    connect(contextHelp, &QAction::triggered, this, &MainWindow::showHelpForFocus);
    addAction(contextHelp);
}

void MainWindow::showHelp(const QString &section)
{
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->show();
    m_help->showSection(section);
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::showHelpForFocus()
{
    const QWidget *focus = QApplication::focusWidget();
    showHelp(helpSectionFor(focus ? focus : QApplication::activeWindow()));
}

} // namespace tallimark
