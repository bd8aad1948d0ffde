// Every dialog the window shows goes through here, so that a script can answer them in tests.
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace tallimark {

struct ClassDetails;

class Dialogs
{
public:
    enum class Icon { None, Critical };

    virtual ~Dialogs() = default;

    // A message box with an OK button only. An empty title shows the application's name.
    virtual void message(QWidget *parent, const QString &text, const QString &title, Icon icon = Icon::None) = 0;
    // A question with Yes and No buttons; true for Yes. An empty title shows the application's name.
    virtual bool question(QWidget *parent, const QString &text, const QString &title) = 0;
    // Returns the answer; an empty text when the teacher cancelled.
    virtual QString inputBox(QWidget *parent, const QString &prompt, const QString &title,
                             const QString &defaultText) = 0;
    // Filters are written "description|pattern|description|pattern". Empty when cancelled.
    // startFolder empty: wherever the dialog starts by itself.
    virtual QString openFileName(QWidget *parent, const QString &filter, const QString &startFolder) = 0;
    // chosenPattern receives the pattern of the filter the teacher chose ("*.RTF").
    virtual QString saveFileName(QWidget *parent, const QString &filter, const QString &initialName,
                                 QString &chosenPattern) = 0;
    // A folder, starting in startFolder. Empty when cancelled.
    virtual QString folderName(QWidget *parent, const QString &title, const QString &startFolder) = 0;
    // Lets the teacher set up the printer; false when cancelled.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
    // Lets the teacher edit a destination folder's class details; false when cancelled.
    virtual bool classDetails(QWidget *parent, const QString &destFolder, ClassDetails &details) = 0;
};

} // namespace tallimark
