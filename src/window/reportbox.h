// The report box: the session report or a viewed file. The RichDocument is the content; the
// read-only text view only shows it.
#pragma once

#include "documents/richdocument.h"

#include <QTextEdit>
#include <QTimer>

namespace tallimark {

class ReportBox : public QTextEdit
{
    Q_OBJECT

public:
    explicit ReportBox(QWidget *parent = nullptr);

    RichDocument &richDocument() { return m_document; }
    const RichDocument &richDocument() const { return m_document; }

    void setReportText(const QString &text);
    // The text joins the document at once; the box shows it with whatever else comes within
    // appendShownAfterMs, so that a session's lines do not lay out and repaint the box one by one.
    void appendReportText(const QString &text);
    static constexpr int appendShownAfterMs = 100;
    // Shows what was appended and is not shown yet, now.
    void showAppended();
    [[nodiscard]] Failure loadFile(const QString &path);

    // Shows the document again after it was changed directly.
    void refresh();

private:
    RichDocument m_document;
    int m_shownLength = 0; // how much of the document the box shows
    QTimer m_appendedTimer;
};

} // namespace tallimark
