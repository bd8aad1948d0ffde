#include "settingsmenu.h"

namespace tallimark {

SettingsMenu::SettingsMenu(QWidget *parent)
    : QMenu(QStringLiteral("Settings"), parent)
{
    m_integer = addAction(QStringLiteral("Final result as integer"));
    m_integer->setObjectName(QStringLiteral("mnuInteger"));
    m_integer->setCheckable(true);
    m_multipleOf5 = addAction(QStringLiteral("Final result as multiple of 5"));
    m_multipleOf5->setObjectName(QStringLiteral("mnu5"));
    m_multipleOf5->setCheckable(true);
    showSetting();

    // Qt would toggle a checkable action; the items set their state instead.
    connect(m_integer, &QAction::triggered, this, &SettingsMenu::mnuInteger_Click);
    connect(m_multipleOf5, &QAction::triggered, this, &SettingsMenu::mnu5_Click);
}

bool SettingsMenu::resultAsInteger() const
{
    return m_setting.resultAsInteger();
}

void SettingsMenu::mnuInteger_Click()
{
    m_setting.setRounding(Rounding::Integer);
    showSetting();
}

void SettingsMenu::mnu5_Click()
{
    m_setting.setRounding(Rounding::MultipleOf5);
    showSetting();
}

void SettingsMenu::showSetting()
{
    m_integer->setChecked(m_setting.rounding() == Rounding::Integer);
    m_multipleOf5->setChecked(m_setting.rounding() == Rounding::MultipleOf5);
}

} // namespace tallimark
