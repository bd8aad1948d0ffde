// Small helpers shared by the document tests.
#pragma once

#include "documents/richdocument.h"
#include "marking/highlighting.h"
#include "marking/markingoutput.h"
#include "support/qstringprinting.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <ostream>

inline std::ostream &operator<<(std::ostream &out, const QString &text)
{
    return out << text.toUtf8().toStdString();
}

namespace tallimark {

// A document of tests/documents/data, byte for byte. Without it the checkout is broken: no test
// can say anything, so the program stops and names the file.
inline QByteArray testData(const char *name)
{
    const QString path = QStringLiteral(TALLIMARK_TEST_DATA "/") + QLatin1String(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Cannot read the test document %s: %s", qPrintable(path), qPrintable(file.errorString()));
    return file.readAll();
}

inline RichDocument rtfDocument(const QByteArray &rtf)
{
    RichDocument document;
    document.setRtfBytes(rtf);
    return document;
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

inline const QString ReportLikeTheMarking = QStringLiteral("\r\n|| 173     22m\r\n\r\nWrong number of line feeds");

// Marks as the marking makes them on a text: words as it cuts them (between blanks and line ends),
// every fourth an error and every seventh else a repeat.
inline QList<HighlightOperation> marksLikeTheMarking(const QString &text)
{
    static const QRegularExpression words(QStringLiteral("[^ \r\n]+"));
    QList<HighlightOperation> marks;
    int word = 0;
    for (const QRegularExpressionMatch &match : words.globalMatch(text)) {
        const auto kind = ++word % 4 == 0 ? HighlightOperation::Kind::Error : HighlightOperation::Kind::Repeat;
        if (word % 4 == 0 || word % 7 == 0)
            marks.append({int(match.capturedStart()), int(match.capturedLength()), kind});
    }
    return marks;
}

inline void markLikeTheMarking(RichDocument &document)
{
    for (const HighlightOperation &mark : marksLikeTheMarking(document.text()))
        applyHighlight(document, mark);
    appendReportBlock(ReportLikeTheMarking, document);
}

// Real-world RTF files beside the checkout; a clone has none, and the tests that read them skip.
inline const QDir samplesFolder(QStringLiteral(TALLIMARK_SHARED_SAMPLES));
inline const QStringList sampleNames = samplesFolder.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);

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

} // namespace tallimark
