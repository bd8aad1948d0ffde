#include "layoutwords.h"

#include <cstdio>

namespace tallimark {

size_t qHash(const ParagraphFormat &format, size_t seed) noexcept
{
    return qHashMulti(seed, int(format.alignment), format.leftIndent, format.rightIndent, format.firstLineIndent,
                      format.spaceBefore, format.spaceAfter, format.lineSpacing, format.lineSpacingMultiple,
                      format.indentsStated, format.tabStops.size(), format.otherWords);
}

quint16 DocumentLayout::paragraphIndex(const ParagraphFormat &format)
{
    const auto found = paragraphIndices.constFind(format);
    if (found != paragraphIndices.constEnd())
        return *found;
    // A hostile file could state any number of paragraph formats; an index must fit a quint16.
    if (paragraphFormats.size() >= 0xFFFF)
        return 0;
    const auto index = quint16(paragraphFormats.size());
    paragraphFormats.append(format);
    paragraphIndices.insert(format, index);
    return index;
}

namespace layoutwords {

namespace {

const ParagraphNumber paragraphTable[] = {
    {"li", &ParagraphFormat::leftIndent},         {"ri", &ParagraphFormat::rightIndent},
    {"fi", &ParagraphFormat::firstLineIndent},    {"sb", &ParagraphFormat::spaceBefore},
    {"sa", &ParagraphFormat::spaceAfter},         {"sl", &ParagraphFormat::lineSpacing},
    {"lin", &ParagraphFormat::leftIndent, false}, {"rin", &ParagraphFormat::rightIndent, false},
};

const SectionNumber sectionTable[] = {
    {"pgwsxn", &SectionFormat::pageWidth},    {"pghsxn", &SectionFormat::pageHeight},
    {"marglsxn", &SectionFormat::marginLeft}, {"margrsxn", &SectionFormat::marginRight},
    {"margtsxn", &SectionFormat::marginTop},  {"margbsxn", &SectionFormat::marginBottom},
    {"colsx", &SectionFormat::columnSpacing},
};

const DocumentNumber documentTable[] = {
    {"paperw", &DocumentFormat::paperWidth},       {"paperh", &DocumentFormat::paperHeight},
    {"margl", &DocumentFormat::marginLeft},        {"margr", &DocumentFormat::marginRight},
    {"margt", &DocumentFormat::marginTop},         {"margb", &DocumentFormat::marginBottom},
    {"gutter", &DocumentFormat::gutter},           {"deftab", &DocumentFormat::defaultTabWidth},
    {"deflang", &DocumentFormat::defaultLanguage}, {"deflangfe", &DocumentFormat::defaultLanguageEastAsian},
};

void appendWord(QByteArray &out, const char *name, int parameter)
{
    out.append('\\').append(name).append(QByteArray::number(parameter));
}

} // namespace

std::span<const ParagraphNumber> paragraphNumbers()
{
    return paragraphTable;
}
std::span<const SectionNumber> sectionNumbers()
{
    return sectionTable;
}
std::span<const DocumentNumber> documentNumbers()
{
    return documentTable;
}

const char *alignmentWord(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Left:
        return "ql";
    case Alignment::Centre:
        return "qc";
    case Alignment::Right:
        return "qr";
    case Alignment::Justified:
        return "qj";
    case Alignment::Distributed:
        return "qd";
    }
    return "ql";
}

QByteArray paragraphWords(const ParagraphFormat &format)
{
    // Style and list first: a list's own indents apply where it is named, and the paragraph's
    // own ones after them override those.
    QByteArray out("\\pard");
    out.append(format.otherWords);
    if (format.alignment != Alignment::Left)
        out.append('\\').append(alignmentWord(format.alignment));
    for (const ParagraphNumber &word : paragraphTable) {
        // LibreOffice takes a paragraph's indents from the file only when all three are there.
        const bool indent = word.field == &ParagraphFormat::leftIndent || word.field == &ParagraphFormat::rightIndent
            || word.field == &ParagraphFormat::firstLineIndent;
        if (word.writes && (format.*word.field != 0 || (indent && format.indentsStated)))
            appendWord(out, word.name, format.*word.field);
    }
    if (format.lineSpacingMultiple)
        out.append("\\slmult1");
    if (format.keepTogether)
        out.append("\\keep");
    if (format.keepWithNext)
        out.append("\\keepn");
    for (const TabStop &stop : format.tabStops) {
        out.append(stop.kindWords);
        appendWord(out, stop.bar ? "tb" : "tx", stop.position);
    }
    return out;
}

QByteArray sectionWords(const SectionFormat &format)
{
    QByteArray out("\\sectd");
    for (const SectionNumber &word : sectionTable) {
        if (format.*word.field)
            appendWord(out, word.name, *(format.*word.field));
    }
    if (format.landscape)
        out.append("\\lndscpsxn");
    if (format.columns != 1)
        appendWord(out, "cols", format.columns);
    out.append(format.otherWords);
    return out;
}

QByteArray documentWords(const DocumentFormat &format)
{
    QByteArray out;
    for (const DocumentNumber &word : documentTable) {
        if (format.*word.field)
            appendWord(out, word.name, *(format.*word.field));
    }
    if (format.landscape)
        out.append("\\landscape");
    out.append(format.otherWords);
    return out;
}

void appendControlWord(QByteArray &out, std::string_view name, bool hasParameter, int parameter)
{
    out.append('\\').append(name.data(), qsizetype(name.size()));
    if (hasParameter) {
        char digits[16];
        const int length = std::snprintf(digits, sizeof digits, "%d", parameter);
        out.append(digits, length);
    }
}

QByteArray controlWord(std::string_view name, bool hasParameter, int parameter)
{
    QByteArray out;
    appendControlWord(out, name, hasParameter, parameter);
    return out;
}

} // namespace layoutwords
} // namespace tallimark
