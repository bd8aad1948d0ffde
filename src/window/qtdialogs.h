// The dialogs as the teacher sees them: Qt's message, input, file and print dialogs.
#pragma once

#include "dialogs.h"

namespace tallimark {

class QtDialogs : public Dialogs
{
public:
    void message(QWidget *parent, const QString &text, const QString &title, Icon icon) override;
    bool question(QWidget *parent, const QString &text, const QString &title) override;
    QString inputBox(QWidget *parent, const QString &prompt, const QString &title, const QString &defaultText) override;
    QString openFileName(QWidget *parent, const QString &filter, const QString &startFolder) override;
    QString saveFileName(QWidget *parent, const QString &filter, const QString &initialName,
                         QString &chosenPattern) override;
    QString folderName(QWidget *parent, const QString &title, const QString &startFolder) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
    bool classDetails(QWidget *parent, const QString &destFolder, ClassDetails &details) override;
};

} // namespace tallimark
