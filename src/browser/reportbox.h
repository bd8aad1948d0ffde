// The report box: the session report or a viewed file. The RichDocument is the content; the
// read-only text view only shows it.
#pragma once

#include "documents/richdocument.h"

#include <QTextEdit>

namespace tallimark {

class ReportBox : public QTextEdit
{
    Q_OBJECT

public:
    explicit ReportBox(QWidget *parent = nullptr);

    RichDocument &richDocument() { return m_document; }
    const RichDocument &richDocument() const { return m_document; }

    void setReportText(const QString &text);
    void appendReportText(const QString &text);
    [[nodiscard]] Failure loadFile(const QString &path);

    // Shows the document again after it was changed directly.
    void refresh();

private:
    RichDocument m_document;
};

} // namespace tallimark
