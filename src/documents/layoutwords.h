// The control words of paragraph, section and document layout that the model interprets, as one
// table for the reader and the writer, so that what is read is what is written.
#pragma once

#include "documentlayout.h"

#include <span>

namespace tallimark::layoutwords {

template <typename Format, typename Field> struct NumberWord
{
    const char *name;
    Field Format::*field;
    bool writes = true; // false: another name for the same setting, read only
};

using ParagraphNumber = NumberWord<ParagraphFormat, int>;
using SectionNumber = NumberWord<SectionFormat, std::optional<int>>;
using DocumentNumber = NumberWord<DocumentFormat, std::optional<int>>;

std::span<const ParagraphNumber> paragraphNumbers();
std::span<const SectionNumber> sectionNumbers();
std::span<const DocumentNumber> documentNumbers();

const char *alignmentWord(Alignment alignment);

// The layout as RTF control words, each set ones only. A paragraph's starts with \pard and a
// section's with \sectd, so either replaces whatever was in effect before.
QByteArray paragraphWords(const ParagraphFormat &format);
QByteArray sectionWords(const SectionFormat &format);
QByteArray documentWords(const DocumentFormat &format);

// "\name" or "\nameN", as the reader met it.
QByteArray controlWord(std::string_view name, bool hasParameter, int parameter);
void appendControlWord(QByteArray &out, std::string_view name, bool hasParameter, int parameter);

} // namespace tallimark::layoutwords
