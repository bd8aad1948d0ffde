// Settings > Language: Afrikaans or English. The window switches at once, and the choice is
// remembered for the next start.
#pragma once

#include "language/interfacelanguage.h"

#include <QMenu>

class QActionGroup;

namespace tallimark {

class LanguageMenu : public QMenu
{
    Q_OBJECT

public:
    explicit LanguageMenu(QWidget *parent = nullptr);

    // Switches the window and remembers the choice.
    void choose(InterfaceLanguage language);

    // Where the choice is kept; empty (the default) is the user's own settings file. For tests.
    static void setSettingsFile(const QString &file);

protected:
    void changeEvent(QEvent *event) override;

private:
    void showChoice();

    QAction *m_english;
    QAction *m_afrikaans;
};

} // namespace tallimark
