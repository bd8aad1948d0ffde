// The test box, the destination derived from its first test, and the report box's Clear.
#include "frmmain.h"

#include "filelist.h"
#include "reportbox.h"
#include "testbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tallimark {

void frmMain::List1_OLEDragDrop()
{
    List1->appendTests(lvDir->selectedPaths());
}

void frmMain::lvDir_OLECompleteDrag()
{
    lvDir->clearSelection();
    if (List1->count() == 0)
        return;

    const QString first = List1->item(0)->text();
    const QString folder = first.left(first.lastIndexOf(QLatin1Char('/')));
    Text1->setText(folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1));
    m_workspace.destFolder = m_options.programFolder + QLatin1Char('/') + Text1->text();
    Label9->setText(m_workspace.destFolder);
}

void frmMain::Command8_Click(int index)
{
    if (index == 1) {
        List1->clear();
        return;
    }
    RichTextBox3->setReportText(QString());
    RichTextBox3->hide();
    Command8[0]->hide();
    Label3->clear();
}

} // namespace tallimark
