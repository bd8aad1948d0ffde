#include "reportbox.h"

#include "rendering/richtextrender.h"

#include <QScrollBar>

namespace tallimark {

ReportBox::ReportBox(QWidget *parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_appendedTimer.setSingleShot(true);
    m_appendedTimer.setInterval(appendShownAfterMs);
    connect(&m_appendedTimer, &QTimer::timeout, this, &ReportBox::showAppended);
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
    if (!m_appendedTimer.isActive())
        m_appendedTimer.start();
}

void ReportBox::showAppended()
{
    m_appendedTimer.stop();
    if (m_shownLength >= m_document.length())
        return;
    appendRichDocument(m_document, m_shownLength, *document());
    m_shownLength = m_document.length();
    document()->setModified(false);
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
    m_appendedTimer.stop();
    renderRichDocument(m_document, *document());
    m_shownLength = m_document.length();
    document()->setModified(false);
}

} // namespace tallimark
