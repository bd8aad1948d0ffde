#include "languagemenu.h"

#include <QActionGroup>
#include <QEvent>

namespace tallimark {

namespace {

QString &settingsFile()
{
    static QString file;
    return file;
}

} // namespace

LanguageMenu::LanguageMenu(QWidget *parent) : QMenu(tr("Language"), parent)
{
    setObjectName(QStringLiteral("languageMenu"));
    // Each language is named in itself, so that a teacher who cannot read the other finds it.
    m_afrikaans = addAction(QStringLiteral("Afrikaans"));
    m_afrikaans->setObjectName(QStringLiteral("afrikaansAction"));
    m_english = addAction(QStringLiteral("English"));
    m_english->setObjectName(QStringLiteral("englishAction"));
    auto *group = new QActionGroup(this);
    for (QAction *action : {m_afrikaans, m_english}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    connect(m_afrikaans, &QAction::triggered, this, [this] { choose(InterfaceLanguage::Afrikaans); });
    connect(m_english, &QAction::triggered, this, [this] { choose(InterfaceLanguage::English); });
    showChoice();
}

void LanguageMenu::choose(InterfaceLanguage language)
{
    // A translation that cannot be loaded leaves the window as it was, and nothing is remembered.
    if (language == currentInterfaceLanguage() || applyInterfaceLanguage(language))
        LanguageChoice(settingsFile()).save(language);
    showChoice();
}

void LanguageMenu::setSettingsFile(const QString &file)
{
    settingsFile() = file;
}

void LanguageMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setTitle(tr("Language"));
        showChoice();
    }
    QMenu::changeEvent(event);
}

void LanguageMenu::showChoice()
{
    const bool afrikaans = currentInterfaceLanguage() == InterfaceLanguage::Afrikaans;
    m_afrikaans->setChecked(afrikaans);
    m_english->setChecked(!afrikaans);
}

} // namespace tallimark
