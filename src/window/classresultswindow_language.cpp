// The class results window in the interface's language: switching the language shows the class
// again, which names its columns, figures and buttons anew.
#include "classresultswindow.h"

#include <QEvent>
#include <QPushButton>
#include <QTableView>

namespace tallimark {

void ClassResultsWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Class Results"));
        table()->setToolTip(tr("Double-click a learner, or press Enter, to open the marked copy"));
        const std::pair<const char *, QString> buttons[] = {
            {"saveCsvButton", tr("Save as CSV\u2026")},
            {"saveWorkbookButton", tr("Save as Excel workbook\u2026")},
            {"printPackButton", tr("Print class pack\u2026")},
            {"exportPdfButton", tr("Export class pack as PDF\u2026")},
        };
        for (const auto &[name, text] : buttons) {
            if (auto *button = findChild<QPushButton *>(QString::fromLatin1(name)))
                button->setText(text);
        }
        if (!folder().isEmpty())
            showFolder(folder());
    }
    QWidget::changeEvent(event);
}

} // namespace tallimark
