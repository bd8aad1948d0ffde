// The "Settings" menu: its two check marks show how the final result is rounded; below them
// the interface language.
#pragma once

#include "marking/roundingsetting.h"

#include <QMenu>

namespace tallimark {

class LanguageMenu;

class SettingsMenu : public QMenu
{
    Q_OBJECT

public:
    explicit SettingsMenu(QWidget *parent = nullptr);

    Rounding rounding() const { return m_setting.rounding(); }
    // The two rounding items, which a running session follows.
    QList<QAction *> roundingActions() const;
    LanguageMenu *languageMenu() const { return m_languageMenu; }

    // The items set their setting rather than toggle it.
    void chooseIntegerResult();
    void chooseMultipleOf5Result();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void showSetting();

    RoundingSetting m_setting;
    QAction *m_integer;
    QAction *m_multipleOf5;
    LanguageMenu *m_languageMenu;
};

} // namespace tallimark
