// Dialogs answered by the test: every message is recorded, every question takes the next
// prepared answer, and a question without one is cancelled.
#pragma once

#include "browser/dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace tallimark {

class ScriptedDialogs : public Dialogs
{
public:
    struct Message
    {
        QString text;
        QString title;
        Icon icon = Icon::None;
    };
    struct Question
    {
        QString prompt;
        QString title;
        QString defaultText;
    };

    QList<Message> messages;
    QList<Question> questions;
    QStringList inputAnswers;
    QStringList openAnswers;
    QStringList openFilters;
    QStringList openFolders;
    QStringList saveAnswers;
    QStringList folderAnswers;
    QStringList folderStarts;
    // The pattern the teacher chooses in each save dialog; none prepared: the first one offered.
    QStringList saveChosenPatterns;
    QStringList saveInitialNames;
    QStringList saveFilters;
    // Sets up the printer as the teacher would; returns false to cancel. Unset: cancelled.
    std::function<bool(QPrinter &)> printerSetup;
    // Runs as each message is shown, while whatever showed it is still under way.
    std::function<void(const Message &)> onMessage;

    void message(QWidget *, const QString &text, const QString &title, Icon icon) override
    {
        messages.append({text, title, icon});
        if (onMessage)
            onMessage(messages.last());
    }
    QString inputBox(QWidget *, const QString &prompt, const QString &title, const QString &defaultText) override
    {
        questions.append({prompt, title, defaultText});
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    QString openFileName(QWidget *, const QString &filter, const QString &startFolder) override
    {
        openFilters.append(filter);
        openFolders.append(startFolder);
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString folderName(QWidget *, const QString &, const QString &startFolder) override
    {
        folderStarts.append(startFolder);
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }
    QString saveFileName(QWidget *, const QString &filter, const QString &initialName, QString &chosenPattern) override
    {
        chosenPattern = saveChosenPatterns.isEmpty() ? filter.section(QLatin1Char('|'), 1, 1)
                                                     : saveChosenPatterns.takeFirst();
        saveFilters.append(filter);
        saveInitialNames.append(initialName);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    bool choosePrinter(QWidget *, QPrinter &printer) override
    {
        return printerSetup ? printerSetup(printer) : false;
    }
};

} // namespace tallimark
