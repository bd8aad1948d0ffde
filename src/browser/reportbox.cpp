#include "reportbox.h"

#include "richtextrender.h"

#include <QScrollBar>

namespace tallimark {

ReportBox::ReportBox(QWidget *parent)
    : QTextEdit(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void ReportBox::setReportText(const QString &text)
{
    m_document.setText(text);
    refresh();
}

void ReportBox::appendReportText(const QString &text)
{
    m_document.setSelStart(m_document.length());
    m_document.setSelText(text);
    refresh();
    // The latest verdict stays in view while a session runs.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

Failure ReportBox::loadFile(const QString &path)
{
    Failure failure = m_document.loadFile(path);
    refresh();
    return failure;
}

void ReportBox::refresh()
{
    renderRichDocument(m_document, *document());
    document()->setModified(false);
}

} // namespace tallimark
