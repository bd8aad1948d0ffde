#include "memolanguage.h"

namespace tallimark {

namespace {

enum class Needs { One, Both, Either };

struct LanguageRule
{
    const char16_t *first;
    const char16_t *second;
    Needs needs;
    MemoLanguage language;
};

constexpr MemoLanguage Af = MemoLanguage::Afrikaans;
constexpr MemoLanguage En = MemoLanguage::English;

constexpr LanguageRule rules[] = {
    {u"'n ", u" en ", Needs::Both, Af},    {u"'n ", u" nie ", Needs::Both, Af},
    {u"'n ", u" nie. ", Needs::Both, Af},  {u" het ", u" 'n ", Needs::Both, Af},
    {u" het ", u" nie ", Needs::Both, Af}, {u"'n ", u" kan ", Needs::Both, Af},
    {u"'n ", u" met ", Needs::Both, Af},   {u"'n ", u" soos ", Needs::Both, Af},
    {u"'n ", u" te ", Needs::Both, Af},    {u"'n ", u" maar ", Needs::Both, Af},
    {u"'n ", u"Die ", Needs::Both, Af},    {u" maar ", u" nie", Needs::Both, Af},
    {u" I ", u" or ", Needs::Both, En},    {u"I ", u" and ", Needs::Both, En},
    {u" not ", u"you ", Needs::Both, En},  {u" not ", u"You ", Needs::Both, En},
    {u" he ", u" I ", Needs::Both, En},    {u" will ", u" a ", Needs::Both, En},
    {u" will ", u" I ", Needs::Both, En},  {u" can ", u" I ", Needs::Both, En},
    {u" a ", u" I ", Needs::Both, En},     {u" A ", u" a ", Needs::Both, En},
    {u" a ", nullptr, Needs::One, En},     {u" 'n ", nullptr, Needs::One, Af},
    {u" jy ", nullptr, Needs::One, Af},    {u"ecause ", nullptr, Needs::One, En},
    {u"mdat ", nullptr, Needs::One, Af},   {u"Daar ", u" daar ", Needs::Either, Af},
    {u" the ", nullptr, Needs::One, En},   {u"The ", nullptr, Needs::One, En},
};

bool fires(const LanguageRule &rule, const QString &text)
{
    const bool first = text.contains(QStringView(rule.first));
    switch (rule.needs) {
    case Needs::One:
        return first;
    case Needs::Both:
        return first && text.contains(QStringView(rule.second));
    case Needs::Either:
        return first || text.contains(QStringView(rule.second));
    }
    return false;
}

} // namespace

MemoLanguage chooseMemoLanguage(const QString &testText)
{
    for (const LanguageRule &rule : rules) {
        if (fires(rule, testText))
            return rule.language;
    }
    return MemoLanguage::Afrikaans;
}

} // namespace tallimark
