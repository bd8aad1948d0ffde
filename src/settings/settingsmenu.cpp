#include "settingsmenu.h"

#include "languagemenu.h"

#include <QEvent>

namespace tallimark {

SettingsMenu::SettingsMenu(QWidget *parent) : QMenu(parent)
{
    m_integer = addAction(QString());
    m_integer->setObjectName(QStringLiteral("integerResultAction"));
    m_integer->setCheckable(true);
    m_multipleOf5 = addAction(QString());
    m_multipleOf5->setObjectName(QStringLiteral("multipleOf5ResultAction"));
    m_multipleOf5->setCheckable(true);
    addSeparator();
    m_languageMenu = new LanguageMenu(this);
    addMenu(m_languageMenu);
    retranslate();
    showSetting();

    // Qt would toggle a checkable action; the items set their state instead.
    connect(m_integer, &QAction::triggered, this, &SettingsMenu::chooseIntegerResult);
    connect(m_multipleOf5, &QAction::triggered, this, &SettingsMenu::chooseMultipleOf5Result);
}

QList<QAction *> SettingsMenu::roundingActions() const
{
    return {m_integer, m_multipleOf5};
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

void SettingsMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMenu::changeEvent(event);
}

void SettingsMenu::retranslate()
{
    setTitle(tr("Settings"));
    m_integer->setText(tr("Final result as integer"));
    m_multipleOf5->setText(tr("Final result as multiple of 5"));
}

void SettingsMenu::showSetting()
{
    m_integer->setChecked(m_setting.rounding() == Rounding::Integer);
    m_multipleOf5->setChecked(m_setting.rounding() == Rounding::MultipleOf5);
}

} // namespace tallimark
