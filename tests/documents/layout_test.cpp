// Marked copies keep the learner's layout as LibreOffice lays it out: each sample that would be
// marked is marked and saved, both files are converted with LibreOffice, and their paragraphs, pages,
// pictures and tables compared. Needs LibreOffice (make check-layout), and skips without it.
#include "testsupport.h"

#include "marking/capitalscopy.h"

#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

using Properties = QHash<QString, QString>;

const QStringList paragraphProperties = {
    u"fo:text-align"_s,     u"fo:margin-left"_s,   u"fo:margin-right"_s, u"fo:text-indent"_s,
    u"fo:margin-top"_s,     u"fo:margin-bottom"_s, u"fo:line-height"_s,  u"style:line-height-at-least"_s,
    u"style:line-spacing"_s};
const QStringList pageProperties = {u"fo:page-width"_s,          u"fo:page-height"_s, u"fo:margin-left"_s,
                                    u"fo:margin-right"_s,        u"fo:margin-top"_s,  u"fo:margin-bottom"_s,
                                    u"style:print-orientation"_s};

using Style = std::pair<QString, Properties>; // the parent's name, and the style's own properties

// A paragraph style's properties over its ancestors' and the defaults, on one line. A length of
// zero and a property left out mean the same; so do left alignment and none.
QString resolved(const QHash<QString, Style> &styles, Properties result, QString name)
{
    QList<const Style *> chain;
    for (auto style = styles.constFind(name); !name.isEmpty() && style != styles.cend() && chain.size() < 20;
         style = styles.constFind(name = style->first))
        chain.prepend(&*style);
    for (const Style *style : chain)
        result.insert(style->second);
    QStringList line;
    for (const QString &key : paragraphProperties) {
        QString value = result.value(key);
        if (value.isEmpty() || (value.toDouble() == 0.0 && value[0].isDigit()))
            value = key == u"fo:text-align"_s ? u"start"_s : key == u"fo:line-height"_s ? u"100%"_s : u"0"_s;
        line << key + u'=' + (value == u"left"_s ? u"start"_s : value);
    }
    return line.join(u' ');
}

// The words of a text as a teacher counts them: what stands between blanks and line ends.
qsizetype wordCount(const QString &text)
{
    // Every kind of blank: LibreOffice fills some indents with narrow spaces (U+2006).
    static const QRegularExpression blanks(u"\\s+"_s, QRegularExpression::UseUnicodePropertiesOption);
    return text.split(blanks, Qt::SkipEmptyParts).size();
}

// What LibreOffice made of one document, a line each: the first page's layout, how many pictures
// and tables it has, and every paragraph's properties; words: the words of its paragraphs.
QStringList readFlatOdt(const QString &path, qsizetype *words = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QHash<QString, Style> styles;
    Properties defaults;
    QHash<QString, QString> pageLayouts;
    QString firstMasterLayout, pageLayout, text;
    QStringList paragraphStyles;
    int pictures = 0, tables = 0, openParagraphs = 0;
    Properties *current = nullptr; // the paragraph properties being read: the defaults or a style's
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        const bool paragraph = xml.qualifiedName() == u"text:p" || xml.qualifiedName() == u"text:h";
        if (token == QXmlStreamReader::Characters && openParagraphs > 0)
            text += xml.text();
        if (token == QXmlStreamReader::EndElement && paragraph) {
            --openParagraphs;
            text += u' ';
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QStringView name = xml.qualifiedName();
        if (name == u"text:s" || name == u"text:tab" || name == u"text:line-break")
            text += u' ';
        openParagraphs += paragraph;
        if (name == u"style:default-style") {
            current = attributes.value(u"style:family"_s) == u"paragraph" ? &defaults : nullptr;
        } else if (name == u"style:style") {
            Style &style = styles[attributes.value(u"style:name"_s).toString()];
            style.first = attributes.value(u"style:parent-style-name"_s).toString();
            current = &style.second;
        } else if (name == u"style:paragraph-properties" && current) {
            for (const QXmlStreamAttribute &attribute : attributes) {
                if (paragraphProperties.contains(attribute.qualifiedName()))
                    current->insert(attribute.qualifiedName().toString(), attribute.value().toString());
            }
        } else if (name == u"style:page-layout") {
            pageLayout = attributes.value(u"style:name"_s).toString();
        } else if (name == u"style:page-layout-properties") {
            for (const QString &key : pageProperties)
                pageLayouts[pageLayout] += key + u'=' + attributes.value(key).toString() + u' ';
        } else if (name == u"style:master-page" && firstMasterLayout.isEmpty()) {
            firstMasterLayout = attributes.value(u"style:page-layout-name"_s).toString();
        } else if (paragraph) {
            paragraphStyles.append(attributes.value(u"text:style-name"_s).toString());
        } else {
            pictures += name == u"draw:image";
            tables += name == u"table:table";
        }
    }
    QStringList layout = {u"page: "_s + pageLayouts.value(firstMasterLayout),
                          u"%1 pictures, %2 tables"_s.arg(pictures).arg(tables)};
    for (const QString &style : std::as_const(paragraphStyles))
        layout << u"paragraph %1: "_s.arg(layout.size() - 1) + resolved(styles, defaults, style);
    if (words)
        *words = wordCount(text);
    return layout;
}

// Marks a document as the marking does; one typed in capitals as the session does, on its first
// half, with the whole test as its copy. Returns the text the marking appended.
QString markAsTheSession(RichDocument &document)
{
    const QString text = document.text();
    if (text != text.toUpper()) {
        markLikeTheMarking(document);
        return ReportLikeTheMarking;
    }
    const int half = int(std::nearbyint(text.size() / 2.0));
    document = capitalsMarkedCopy(CapitalsTest{document, half}, text.left(half), marksLikeTheMarking(text.left(half)));
    appendReportBlock(ReportLikeTheMarking, document);
    return u"\r\n"_s + CapitalsRemark + ReportLikeTheMarking;
}

TEST(MarkedCopyLayout, LibreOfficeLaysOutTheMarkedCopyLikeTheOriginal)
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty())
        GTEST_SKIP() << "needs LibreOffice (soffice)";

    // The sample class, and the learners' documents beside the checkout when they are there.
    QStringList files;
    for (const QString &folder : {QStringLiteral(TALLIMARK_EXAMPLES "/Grade10A"), samplesFolder.path()})
        for (const QFileInfo &file : QDir(folder).entryInfoList({u"*.rtf"_s}, QDir::Files, QDir::Name))
            files << file.filePath();
    QTemporaryDir work;
    QStringList names, inputs;
    QHash<QString, qsizetype> appendedWords;
    for (const QString &fileName : std::as_const(files)) {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly) || !file.peek(5).startsWith("{\\rtf"))
            continue;
        RichDocument document;
        ASSERT_FALSE(document.loadFile(fileName).failed()) << fileName;
        if (document.length() < 50 || document.length() > 5000)
            continue; // not marked: too short or too long
        const QString name = QFileInfo(fileName).completeBaseName();
        const QString base = work.filePath(name);
        QFile::copy(file.fileName(), base + u".rtf"_s);
        appendedWords.insert(name, wordCount(markAsTheSession(document)));
        ASSERT_FALSE(document.saveFile(base + u".marked.rtf"_s).failed()) << fileName;
        names << name;
        inputs << base + u".rtf"_s << base + u".marked.rtf"_s;
    }
    ASSERT_FALSE(names.isEmpty());

    QProcess convert;
    convert.start(soffice,
                  QStringList{u"--headless"_s, u"-env:UserInstallation=file://"_s + work.filePath(u"profile"_s),
                              u"--convert-to"_s, u"fodt"_s, u"--outdir"_s, work.path()}
                      + inputs);
    ASSERT_TRUE(convert.waitForFinished(600000)) << "LibreOffice did not finish";

    int compared = 0;
    QStringList failures;
    for (const QString &name : std::as_const(names)) {
        const QString original = work.filePath(name + u".fodt"_s);
        if (!QFileInfo::exists(original))
            continue; // LibreOffice cannot read the learner's file either
        ++compared;
        // The copy adds paragraphs, the report block's: the original's lines come first, unchanged,
        // and the copy has the original's words and those of the report.
        qsizetype wordsBefore = 0, wordsAfter = 0;
        const QStringList before = readFlatOdt(original, &wordsBefore);
        const QStringList after = readFlatOdt(work.filePath(name + u".marked.fodt"_s), &wordsAfter);
        const auto [was, is] = std::mismatch(before.cbegin(), before.cend(), after.cbegin(), after.cend());
        if (was != before.cend())
            failures << u"%1: '%2' -> '%3'"_s.arg(name, *was, is == after.cend() ? u"nothing"_s : *is);
        else if (wordsAfter != wordsBefore + appendedWords.value(name))
            failures << u"%1: %2 words, the original's %3 and %4 appended"_s.arg(name)
                            .arg(wordsAfter)
                            .arg(wordsBefore)
                            .arg(appendedWords.value(name));
    }
    std::printf("Marked copies that keep their layout in LibreOffice: %d of %d\n", int(compared - failures.size()),
                compared);
    EXPECT_TRUE(failures.isEmpty()) << failures.join(u"\n"_s);
}

} // namespace
} // namespace tallimark
