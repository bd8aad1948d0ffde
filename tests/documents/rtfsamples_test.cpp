// Real-world RTF files against LibreOffice's plain text of them. The samples live outside the
// repository; without them these tests skip. Where LibreOffice's text export differs from what
// a learner's document contains, the rule for the sample says how and why.
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

enum Normalisation : unsigned {
    None = 0,
    // LibreOffice writes each blank of a run of blanks as U+2006 + blank in files from Word
    // and untagged writers; the document has plain blanks.
    BlankRuns = 1,
    // LibreOffice renders list labels ("    •", "    1.") that the file keeps in \listtext or
    // \pntext, which are not text.
    ListLabels = 2,
    // LibreOffice puts every table cell on a line of its own; cells are TAB-separated here.
    TableCells = 4,
};

struct Replacement
{
    QString inReference;
    QString ours;
};

struct SampleRule
{
    const char *file;
    unsigned normalisation = None;
    std::vector<Replacement> fixes; // applied to the reference, each with its reason below
    const char *why = "";
};

// Footnote reference marks (\chftn) are numbered by LibreOffice; a document here shows no
// automatic numbers, since the footnotes they point to are not part of the text either.
const char *const footnoteMarks = "footnote reference numbers (\\chftn) are not text here";

const std::vector<SampleRule> &sampleRules()
{
    static const std::vector<SampleRule> rules = {
        {"abiword_french.rtf", BlankRuns, {}, ""},
        {"richedit_cp1251_ukrainian.rtf", BlankRuns, {}, ""},
        {"richedit_old_web.rtf", BlankRuns, {}, ""},
        {"textedit_osx10.rtf", BlankRuns, {}, ""},
        {"abiword_table.rtf", TableCells, {}, ""},
        {"cocoa_table.rtf", TableCells, {}, ""},
        {"libreoffice6_calcium_score.rtf", TableCells, {}, ""},
        {"wordpad_table.rtf", TableCells, {}, ""},
        {"word_nested_tables.rtf", TableCells, {}, ""},
        {"handmade_nested_table.rtf", TableCells, {}, ""},
        {"libreoffice3_list.rtf", ListLabels, {}, ""},
        {"textedit_list.rtf", ListLabels, {}, ""},
        {"wordpad_list.rtf", ListLabels, {}, ""},
        {"wordpad_win10.rtf", ListLabels, {}, ""},
        {"openoffice_japanese.rtf", ListLabels | TableCells, {}, ""},
        {"pandoc_writer_test.rtf",
         ListLabels,
         {{u"reference,1 and another.2 "_s, u"reference, and another. "_s},
          {u"inline note.3"_s, u"inline note."_s},
          {u"in quotes.4"_s, u"in quotes."_s},
          {u"list items.5"_s, u"list items."_s}},
         footnoteMarks},
        {"googledocs_list.rtf",
         ListLabels,
         {},
         "the 80 leading blanks of LibreOffice's text are in no paragraph of the file"},
        {"word2003_footnote_table.rtf",
         ListLabels | TableCells,
         {{u"a bit of hidden text"_s, u"a bit of  text"_s}, {u"has a 1footnote"_s, u"has a footnote"_s}},
         "hidden text (\\v) is not part of the text, LibreOffice exports it; and footnote marks"},
        {"handmade_footnote.rtf",
         None,
         {{u"annotated.1 "_s, u"annotated. "_s}, {u"noted,2 "_s, u"noted, "_s}},
         footnoteMarks},
        {"word_various_footnote_table_link.rtf",
         ListLabels | TableCells,
         {{u"appears here1"_s, u"appears here"_s}},
         footnoteMarks},
        {"wordmac_footnote_cr.rtf", None, {{u"Bookmark_1 1"_s, u"Bookmark_1"_s}}, footnoteMarks},
        {"phprtflite_footnotes.rtf",
         TableCells,
         {{u"massa.1 "_s, u"massa. "_s},
          {u"convallis.2"_s, u"convallis."_s},
          {u"elit.i "_s, u"elit. "_s},
          {u"elit.ii"_s, u"elit."_s},
          {u"tempus.0"_s, u"tempus."_s},
          {u"tempus.iii"_s, u"tempus."_s},
          {u"massa.0"_s, u"massa."_s}},
         footnoteMarks},
        {"textedit_unpaired_surrogates.rtf",
         None,
         {{u"hi ?here"_s, u"hi \uFFFD here"_s},
          {u"lo ? here"_s, u"lo \uFFFD here"_s},
          {u"pair ??here"_s, u"pair \uFFFD\uFFFD here"_s}},
         "a half surrogate pair is U+FFFD, and the blank after it is text (the delimiter of "
         "\\u-10240 is the first blank only)"},
        {"wptools_hyperlink_styles.rtf",
         None,
         {{u"10\uFFFDFlour"_s, u"10\u201DFlour"_s}},
         "\\fcharset1 means the document's code page, where \\'94 is a closing double quote"},
        {"wordpad_cp932_japanese.rtf",
         None,
         {{u"\uF02D"_s, u"-"_s}},
         "a \\fcharset2 (symbol) font's bytes are read in the document's code page, not mapped "
         "into the private use area, so the learner's hyphen stays a hyphen"},
        {"not_rtf_plain_text_cp1252.rtf",
         None,
         {{u"l\uFFFD tot"_s, u"l\u00EA tot"_s}},
         "a plain text file that is not valid UTF-8 is Windows-1252, where 0xEA is \u00EA"},
    };
    return rules;
}

QString samplesFolder()
{
    return QStringLiteral(TALLIMARK_SHARED_SAMPLES);
}

QString readReference(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QStringList normalisedLines(QString text, unsigned normalisation, bool isReference)
{
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    if (isReference && (normalisation & BlankRuns))
        text.replace(u"\u2006 "_s, u" "_s);
    if (normalisation & TableCells)
        text.replace(u'\t', u'\n');

    static const QRegularExpression trailingBlanks(u"[ \t]+$"_s);
    static const QRegularExpression listLabel(
        uR"(^(?:[•◦▪·●○■\x{F0B7}-]|\(?[0-9]{1,3}[.)]|[a-z][.)]|[ivx]{1,5}[.)])(?:\s+|$))"_s);
    QStringList lines;
    for (QString line : text.split(u'\n')) {
        line.remove(trailingBlanks);
        if (normalisation & (ListLabels)) {
            // A writer may also put a label into the text itself; it goes on both sides.
            line = line.trimmed();
            line.remove(listLabel);
        }
        if ((normalisation & (TableCells | ListLabels)) && line.isEmpty())
            continue;
        lines.append(line);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The first line that differs, as "line N: ours | reference", or empty when none does.
QString firstDifference(const QStringList &ours, const QStringList &theirs)
{
    for (qsizetype i = 0; i < qMax(ours.size(), theirs.size()); ++i) {
        const QString a = ours.value(i, u"<none>"_s);
        const QString b = theirs.value(i, u"<none>"_s);
        if (a != b)
            return u"line %1: %2 | %3"_s.arg(i + 1).arg(a, b);
    }
    return {};
}

SampleRule ruleFor(const QString &fileName)
{
    for (const SampleRule &rule : sampleRules()) {
        if (fileName == QLatin1String(rule.file))
            return rule;
    }
    return SampleRule{"", None, {}, ""};
}

TEST(RtfSamples, TextMatchesLibreOfficeWhereLibreOfficeIsRight)
{
    const QDir folder(samplesFolder());
    if (!folder.exists())
        GTEST_SKIP() << "no samples folder at " << samplesFolder().toStdString();

    int compared = 0;
    const QStringList files = folder.entryList({u"*.rtf"_s}, QDir::Files, QDir::Name);
    for (const QString &fileName : files) {
        const QString referencePath = folder.filePath(fileName.chopped(4) + u".ref.txt"_s);
        if (!QFile::exists(referencePath))
            continue;
        SCOPED_TRACE(fileName.toStdString());
        const SampleRule rule = ruleFor(fileName);

        RichDocument document;
        ASSERT_FALSE(document.loadFile(folder.filePath(fileName)).failed());
        QString reference = readReference(referencePath);
        for (const Replacement &fix : rule.fixes) {
            EXPECT_TRUE(reference.contains(fix.inReference))
                << "stale rule: " << fix.inReference.toStdString() << " (" << rule.why << ")";
            reference.replace(fix.inReference, fix.ours);
        }
        const QStringList ours = normalisedLines(document.text(), rule.normalisation, false);
        const QStringList theirs = normalisedLines(reference, rule.normalisation, true);
        EXPECT_EQ(firstDifference(ours, theirs), QString()) << rule.why;
        ++compared;
    }
    EXPECT_GE(compared, 50);
}

// Every sample: what the writer writes reads back as the same document, and once more as the
// same RTF. A copy with marks (white on red, red underlined) never draws a character in the
// colour of its own background.
TEST(RtfSamples, SurviveTheWriterAndTheirMarks)
{
    const QDir folder(samplesFolder());
    if (!folder.exists())
        GTEST_SKIP() << "no samples folder at " << samplesFolder().toStdString();
    int checked = 0;
    for (const QString &fileName : folder.entryList({u"*.rtf"_s}, QDir::Files, QDir::Name)) {
        SCOPED_TRACE(fileName.toStdString());
        RichDocument document;
        ASSERT_FALSE(document.loadFile(folder.filePath(fileName)).failed());
        const RichDocument copy = reread(document);
        EXPECT_EQ(firstDifference(copy, document), QString());
        EXPECT_EQ(reread(copy).textRtf(), copy.textRtf());

        // A learner may have hidden text in the page's colour; the marks never do.
        QList<int> invisible;
        for (int i = 0; i < document.length(); ++i) {
            const CharFormat format = document.formatAt(i);
            if (format.colour.value_or(0) == format.background.value_or(White))
                invisible << i;
        }
        for (int at = 0; at + 4 < document.length(); at += 9) {
            document.setSelStart(at);
            document.setSelLength(4);
            if (at % 2) {
                document.setSelBold(true);
                document.setSelBackground(Red);
                document.setSelColour(White);
            } else {
                document.setSelColour(Red);
                document.setSelUnderline(true);
            }
        }
        const QString marked = document.textRtf();
        for (const char *word : {"\\\\highlight0", "\\\\cb0", "\\\\chcbpat0"})
            EXPECT_FALSE(marked.contains(QRegularExpression(QLatin1String(word) + u"(?![0-9])"_s))) << word;
        const RichDocument markedCopy = reread(document);
        for (int i = 0; i < markedCopy.length(); ++i) {
            const CharFormat format = markedCopy.formatAt(i);
            if (!invisible.contains(i)) {
                EXPECT_NE(format.colour.value_or(0), format.background.value_or(White)) << "at " << i;
            }
        }
        ++checked;
    }
    EXPECT_GE(checked, 50);
}

TEST(RtfSamples, FilesWithoutReferenceReadWithoutHarm)
{
    const QDir folder(samplesFolder());
    if (!folder.exists())
        GTEST_SKIP() << "no samples folder at " << samplesFolder().toStdString();

    // \bin data with braces inside a picture, then a file that ends two braces short.
    RichDocument picture;
    ASSERT_FALSE(picture.loadFile(folder.filePath(u"word_bin_picture.rtf"_s)).failed());
    EXPECT_FALSE(picture.text().contains(QChar(0xFF)));

    // "\bin " without a count followed by hex digits of a picture: no digit is text.
    RichDocument hexPicture;
    ASSERT_FALSE(hexPicture.loadFile(folder.filePath(u"handmade_bin_hex_picture.rtf"_s)).failed());
    EXPECT_LT(hexPicture.length(), 200);

    // A file cut inside its text group yields what was read: the full file's text, less its end.
    RichDocument whole;
    RichDocument truncated;
    ASSERT_FALSE(whole.loadFile(folder.filePath(u"word2003_newlines.rtf"_s)).failed());
    ASSERT_FALSE(truncated.loadFile(folder.filePath(u"truncated_word2003_mid_group.rtf"_s)).failed());
    EXPECT_FALSE(truncated.text().isEmpty());
    EXPECT_TRUE(whole.text().startsWith(truncated.text()));

    RichDocument memo;
    ASSERT_FALSE(memo.loadFile(folder.filePath(u"truncated_libreoffice_memo.rtf"_s)).failed());
    EXPECT_GT(memo.length(), 100);
}

} // namespace
} // namespace tallimark
