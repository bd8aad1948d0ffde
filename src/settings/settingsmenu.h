// The "Settings" menu: its two check marks show how the final result is rounded.
#pragma once

#include "marking/roundingsetting.h"

#include <QMenu>

namespace tallimark {

class SettingsMenu : public QMenu
{
    Q_OBJECT

public:
    explicit SettingsMenu(QWidget *parent = nullptr);

    // True when "Final result as integer" is checked; otherwise results are multiples of 5.
    bool resultAsInteger() const;

    // The items set their setting rather than toggle it.
    void chooseIntegerResult();
    void chooseMultipleOf5Result();

private:
    void showSetting();

    RoundingSetting m_setting;
    QAction *m_integer;
    QAction *m_multipleOf5;
};

} // namespace tallimark
