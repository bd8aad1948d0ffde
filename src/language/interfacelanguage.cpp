#include "interfacelanguage.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTranslator>

#include <memory>

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

const QString languageKey = u"interface/language"_s;

std::unique_ptr<QSettings> openSettings(const QString &file)
{
    if (file.isEmpty())
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, u"Tallimark"_s, u"Tallimark"_s);
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

// The installed translator lives as long as the application; it is replaced on each switch.
std::unique_ptr<QTranslator> &installedTranslator()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

InterfaceLanguage &currentLanguage()
{
    static InterfaceLanguage language = InterfaceLanguage::English;
    return language;
}

} // namespace

InterfaceLanguage languageOfLocale(const QLocale &locale)
{
    const QStringList languages = locale.uiLanguages();
    const QLocale first = languages.isEmpty() ? locale : QLocale(languages.constFirst());
    return first.language() == QLocale::Afrikaans ? InterfaceLanguage::Afrikaans : InterfaceLanguage::English;
}

QString languageCode(InterfaceLanguage language)
{
    return language == InterfaceLanguage::Afrikaans ? u"af"_s : u"en"_s;
}

LanguageChoice::LanguageChoice(QString settingsFile) : m_settingsFile(std::move(settingsFile)) { }

std::optional<InterfaceLanguage> LanguageChoice::saved() const
{
    const QString code = openSettings(m_settingsFile)->value(languageKey).toString();
    if (code == u"af")
        return InterfaceLanguage::Afrikaans;
    if (code == u"en")
        return InterfaceLanguage::English;
    return std::nullopt;
}

void LanguageChoice::save(InterfaceLanguage language) const
{
    auto settings = openSettings(m_settingsFile);
    settings->setValue(languageKey, languageCode(language));
    settings->sync();
}

InterfaceLanguage LanguageChoice::startLanguage() const
{
    return saved().value_or(languageOfLocale(QLocale()));
}

bool applyInterfaceLanguage(InterfaceLanguage language)
{
    std::unique_ptr<QTranslator> &installed = installedTranslator();
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    currentLanguage() = InterfaceLanguage::English;
    // English is the source language: no translator. Installing and removing one tells every
    // window (QEvent::LanguageChange).
    if (language == InterfaceLanguage::English)
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(u":/i18n/tallimark_"_s + languageCode(language) + u".qm"_s))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    currentLanguage() = language;
    return true;
}

InterfaceLanguage currentInterfaceLanguage()
{
    return currentLanguage();
}

} // namespace tallimark
