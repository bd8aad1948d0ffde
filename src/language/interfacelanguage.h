// The language the window speaks: Afrikaans or English, chosen by the teacher in Settings >
// Language or, until then, by the system's language. The choice is the one setting that is
// kept between runs. What the program writes into files stays English whatever is chosen.
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace tallimark {

enum class InterfaceLanguage { English, Afrikaans };

// Afrikaans for a locale whose first interface language is Afrikaans, English for any other.
InterfaceLanguage languageOfLocale(const QLocale &locale);
// "en" or "af", as the guide's folders are named.
QString languageCode(InterfaceLanguage language);

// The remembered choice, in an INI file of the user's (never the Windows registry, so that a
// portable copy leaves nothing behind but that file).
class LanguageChoice
{
public:
    // settingsFile empty: the user's own Tallimark settings file.
    explicit LanguageChoice(QString settingsFile = {});

    std::optional<InterfaceLanguage> saved() const;
    void save(InterfaceLanguage language) const;
    // The saved choice, or else the system's language.
    InterfaceLanguage startLanguage() const;

private:
    QString m_settingsFile;
};

// Installs the translator of the language (English, the source language, needs none); every
// widget is then sent QEvent::LanguageChange. Returns false when a translation could not be
// loaded, which leaves the window English.
bool applyInterfaceLanguage(InterfaceLanguage language);
InterfaceLanguage currentInterfaceLanguage();

} // namespace tallimark
