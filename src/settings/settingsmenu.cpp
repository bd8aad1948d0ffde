#include "settingsmenu.h"

namespace tallimark {

SettingsMenu::SettingsMenu(QWidget *parent)
    : QMenu(QStringLiteral("Settings"), parent)
{
    m_integer = addAction(QStringLiteral("Final result as integer"));
    m_integer->setObjectName(QStringLiteral("integerResultAction"));
    m_integer->setCheckable(true);
    m_multipleOf5 = addAction(QStringLiteral("Final result as multiple of 5"));
    m_multipleOf5->setObjectName(QStringLiteral("multipleOf5ResultAction"));
    m_multipleOf5->setCheckable(true);
    showSetting();

    // Qt would toggle a checkable action; the items set their state instead.
    connect(m_integer, &QAction::triggered, this, &SettingsMenu::chooseIntegerResult);
    connect(m_multipleOf5, &QAction::triggered, this, &SettingsMenu::chooseMultipleOf5Result);
}

bool SettingsMenu::resultAsInteger() const
{
    return m_setting.resultAsInteger();
}

void SettingsMenu::chooseIntegerResult()
{
    m_setting.setRounding(Rounding::Integer);
    showSetting();
}

void SettingsMenu::chooseMultipleOf5Result()
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
