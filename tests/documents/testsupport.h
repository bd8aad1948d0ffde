// Small helpers shared by the document tests.
#pragma once

#include "documents/richdocument.h"
#include "support/qstringprinting.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <ostream>

inline std::ostream &operator<<(std::ostream &out, const QString &text)
{
    return out << text.toUtf8().toStdString();
}

namespace tallimark {

inline RichDocument rtfDocument(const QByteArray &rtf)
{
    RichDocument document;
    document.setRtfBytes(rtf);
    return document;
}

inline QString rtfText(const QByteArray &rtf)
{
    return rtfDocument(rtf).text();
}

inline RichDocument documentWithText(const QString &text)
{
    RichDocument document;
    document.setText(text);
    return document;
}

inline void select(RichDocument &document, int start, int length)
{
    document.setSelStart(start);
    document.setSelLength(length);
}

// The two marks of a marked copy: an error bold, white on red; a repeat red and underlined.
inline void markAsError(RichDocument &document)
{
    document.setSelBold(true);
    document.setSelBackground(Red);
    document.setSelColour(White);
}

inline void markAsRepeat(RichDocument &document)
{
    document.setSelColour(Red);
    document.setSelUnderline(true);
}

// Reads the writer's RTF of a document back.
inline RichDocument reread(const RichDocument &document)
{
    RichDocument copy;
    copy.setTextRtf(document.textRtf());
    return copy;
}

// The first place where two documents differ in text, formatting or layout; empty when none.
inline QString firstDifference(const RichDocument &a, const RichDocument &b)
{
    if (a.text() != b.text())
        return QStringLiteral("text");
    const QString &text = a.text();
    for (int i = 0; i <= a.length(); ++i) {
        // A break after text has the text's formatting (see rtfwriter.h); a font left unnamed
        // is the document's.
        const bool breakAfterText = i > 0 && i < a.length()
            && (text[i] == u'\r' || text[i] == u'\n' || text[i] == u'\t') && text[i - 1] != u'\n'
            && (text[i] != u'\n' || i < 2 || text[i - 2] != u'\n');
        CharFormat formatA = a.formatAt(i);
        CharFormat formatB = b.formatAt(i);
        for (auto [format, document] : {std::pair{&formatA, &a}, std::pair{&formatB, &b}}) {
            if (format->fontName.isEmpty())
                format->fontName = document->fontName().isEmpty() ? QStringLiteral("Arial") : document->fontName();
        }
        if (!breakAfterText && formatA != formatB)
            return QStringLiteral("character format at %1").arg(i);
        if (a.paragraphFormatAt(i) != b.paragraphFormatAt(i))
            return QStringLiteral("paragraph format at %1").arg(i);
        if (a.breakAt(i) != b.breakAt(i))
            return QStringLiteral("break at %1").arg(i);
    }
    if (a.documentFormat() != b.documentFormat())
        return QStringLiteral("document format");
    if (a.sections() != b.sections())
        return QStringLiteral("sections");
    if (a.keptRtf() != b.keptRtf())
        return QStringLiteral("kept RTF");
    return {};
}

// Documents with the layout word processors write, for the reader's and the writer's tests.
inline const char *const layoutSamples[] = {
    "{\\rtf1\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1440\\margb1440\\landscape\\deftab709"
    "\\deflang1078\\sectd\\pgwsxn16838\\pghsxn11906\\lndscpsxn\\cols2\\colsx720\\sbknone "
    "\\pard\\qj\\li720\\ri360\\fi-360\\sb120\\sa200\\sl276\\slmult1\\keep\\keepn\\tqr\\tldot\\tx5000\\tb2000 "
    "Justified\\line next line\\par\\pard\\qc\\brdrb\\brdrs\\brdrw10\\brsp20\\shading2000 Centred\\sect "
    "\\sectd\\pgwsxn11906 Second section\\page after the page break\\par}",
    "{\\rtf1{\\stylesheet{\\s1 Heading;}}{\\*\\listtable{\\list\\listid1}}{\\info{\\title T}}"
    "\\pard\\s1\\ls1\\ilvl0{\\listtext\\'b7\\tab}Item{\\*\\bkmkstart b}{\\*\\bkmkend b}"
    "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} a{\\pict\\pngblip 89504e47}b"
    "{\\footnote\\pard note}{\\*\\unknown keep me}{\\v hidden}\\chftn\\par}",
    "{\\rtf1\\trowd\\trgaph108\\trbrdrt\\brdrs\\clbrdrb\\brdrs\\cellx2000\\cellx4000\\pard\\intbl a\\cell b\\cell"
    "\\row\\trowd\\cellx5000\\pard\\intbl\\itap2 A\\nestcell{\\*\\nesttableprops\\trowd\\cellx2000\\nestrow}"
    "{\\nonesttables\\par}\\pard\\intbl C\\cell\\row\\pard after}",
    "{\\rtf1\\ansicpg1251{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial Cyr;}}\\'cf{\\strike s}{\\super 2}{\\sub x}"
    "{\\object\\objemb\\objw10{\\*\\objclass P}{\\result{\\pict 01}shown}}\\par\\par}",
};

} // namespace tallimark
