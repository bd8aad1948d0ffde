// Marked copies keep the learner's layout, as LibreOffice lays documents out: every sample that
// would be marked is marked and saved as a marked copy is, both files are converted with
// LibreOffice, and their paragraphs, pages, pictures and tables are compared. Runs only where
// LibreOffice is installed (make check-layout) and skips elsewhere.
#include "testsupport.h"

#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>

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

struct Style
{
    QString parent;
    Properties properties;
};

// A paragraph style's properties over its ancestors' and the defaults, on one line. A length of
// zero and a property left out mean the same; so do left alignment and none.
QString resolved(const QHash<QString, Style> &styles, Properties result, QString name)
{
    QList<const Style *> chain;
    for (auto style = styles.constFind(name); !name.isEmpty() && style != styles.cend() && chain.size() < 20;
         style = styles.constFind(name = style->parent))
        chain.prepend(&*style);
    for (const Style *style : chain)
        result.insert(style->properties);
    QStringList line;
    for (const QString &key : paragraphProperties) {
        QString value = result.value(key);
        if (value.isEmpty() || (value.toDouble() == 0.0 && value[0].isDigit()))
            value = key == u"fo:text-align"_s ? u"start"_s : key == u"fo:line-height"_s ? u"100%"_s : u"0"_s;
        line << key + u'=' + (value == u"left"_s ? u"start"_s : value);
    }
    return line.join(u' ');
}

// What LibreOffice made of one document, a line each: the first page's layout, how many pictures
// and tables it has, and every paragraph's properties.
QStringList readFlatOdt(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QHash<QString, Style> styles;
    Properties defaults;
    QHash<QString, QString> pageLayouts;
    QString firstMasterLayout;
    QString pageLayout;
    QStringList paragraphStyles;
    int pictures = 0;
    int tables = 0;
    Properties *current = nullptr; // the paragraph properties being read: the defaults or a style's
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QStringView name = xml.qualifiedName();
        if (name == u"style:default-style") {
            current = attributes.value(u"style:family"_s) == u"paragraph" ? &defaults : nullptr;
        } else if (name == u"style:style") {
            Style &style = styles[attributes.value(u"style:name"_s).toString()];
            style.parent = attributes.value(u"style:parent-style-name"_s).toString();
            current = &style.properties;
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
        } else if (name == u"text:p" || name == u"text:h") {
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
    return layout;
}

TEST(MarkedCopyLayout, LibreOfficeLaysOutTheMarkedCopyLikeTheOriginal)
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty() || sampleNames.isEmpty())
        GTEST_SKIP() << "needs LibreOffice (soffice) and the RTF samples";

    QTemporaryDir work;
    QStringList names;
    QStringList inputs;
    for (const QString &fileName : sampleNames) {
        QFile file(samplesFolder.filePath(fileName));
        if (!file.open(QIODevice::ReadOnly) || !file.peek(5).startsWith("{\\rtf"))
            continue;
        RichDocument document = loadedSample(fileName);
        if (document.length() < 50 || document.length() > 5000)
            continue; // not marked: too short or too long
        const QString base = work.filePath(QFileInfo(fileName).completeBaseName());
        QFile::copy(file.fileName(), base + u".rtf"_s);
        markLikeTheMarking(document);
        ASSERT_FALSE(document.saveFile(base + u".marked.rtf"_s).failed()) << fileName;
        names << QFileInfo(fileName).completeBaseName();
        inputs << base + u".rtf"_s << base + u".marked.rtf"_s;
    }
    ASSERT_FALSE(names.isEmpty());

    QProcess convert;
    convert.setProcessChannelMode(QProcess::MergedChannels);
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
        // The copy adds paragraphs, the report block's: the original's lines come first, unchanged.
        const QStringList before = readFlatOdt(original);
        const QStringList after = readFlatOdt(work.filePath(name + u".marked.fodt"_s));
        const auto [was, is] = std::mismatch(before.cbegin(), before.cend(), after.cbegin(), after.cend());
        if (was != before.cend())
            failures << u"%1: '%2' -> '%3'"_s.arg(name, *was, is == after.cend() ? u"nothing"_s : *is);
    }
    std::printf("Marked copies that keep their layout in LibreOffice: %d of %d\n", int(compared - failures.size()),
                compared);
    EXPECT_TRUE(failures.isEmpty()) << failures.join(u"\n"_s);
}

} // namespace
} // namespace tallimark
