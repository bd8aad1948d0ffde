// How fast a learner's test or a memo becomes text: a 1 MB RTF file in the shape Word writes.
#include "documents/richdocument.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tallimark;

namespace {

// Word-style paragraphs: revision ids, language tags, accented letters as \'hh, \uN with
// fallbacks, a field, bold runs, and the header and destinations of a real file.
QByteArray wordStyleRtf(qsizetype targetSize)
{
    QByteArray rtf =
        "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff0\\deff0{\\fonttbl{\\f0\\froman\\fcharset0\\fprq2"
        "{\\*\\panose 02020603050405020304}Times New Roman;}{\\f1\\fswiss\\fcharset0 Arial;}}\r\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
        "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\fs24\\lang1033 \\snext0 Normal;}}"
        "{\\*\\rsidtbl \\rsid1002\\rsid2003}{\\*\\generator Microsoft Word 11.0.6568;}"
        "{\\info{\\title Speed test}{\\author Teacher}}\r\n";
    const QByteArray paragraph =
        "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\widctlpar\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 "
        "\\fs24\\lang1078\\insrsid1002 "
        "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\insrsid1002 Die leerders tik die gedeelte so vinnig as wat hulle kan, "
        "maar hulle moet ook akkuraat wees. Elke fout kos \\'n woord. Hy s\\'ea: \\ldblquote Ons begin nou.\\rdblquote "
        " }"
        "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\b\\insrsid2003 Belangrik:}{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 "
        "\\insrsid2003 "
        " die toets duur tien minute \\u8211\\'96 nie langer nie. Caf\\'e9, na\\'efef, co\\'f6perasie. "
        "{\\field{\\*\\fldinst {\\insrsid2003  HYPERLINK \"http://example.org/\" }}{\\fldrslt {\\cs15\\ul\\cf2 "
        "webwerf}}}"
        "\\par }\r\n";
    while (rtf.size() < targetSize)
        rtf += paragraph;
    rtf += '}';
    return rtf;
}

void loadAndText(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("test.rtf"));
    const QByteArray rtf = wordStyleRtf(1024 * 1024);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size()) {
            state.SkipWithError("cannot write the test file");
            return;
        }
    }
    qsizetype characters = 0;
    for (auto _ : state) {
        RichDocument document;
        if (document.loadFile(path).failed()) {
            state.SkipWithError("load failed");
            return;
        }
        const QString text = document.text();
        characters = text.size();
        benchmark::DoNotOptimize(text.constData());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
    state.counters["characters"] = double(characters);
}
BENCHMARK(loadAndText)->Unit(benchmark::kMillisecond);

void writeRtf(benchmark::State &state)
{
    RichDocument document;
    document.setRtfBytes(wordStyleRtf(1024 * 1024));
    for (auto _ : state) {
        const QString rtf = document.textRtf();
        benchmark::DoNotOptimize(rtf.constData());
    }
}
BENCHMARK(writeRtf)->Unit(benchmark::kMillisecond);

void highlightErrors(benchmark::State &state)
{
    // A 5000-character test with an error every fifth word, as the marking engine formats it.
    RichDocument document;
    QString text;
    while (text.size() < 5000)
        text += QStringLiteral("Die leerders tik vinnig. ");
    for (auto _ : state) {
        document.setText(text);
        for (int start = 0; start + 3 < document.length(); start += 125) {
            document.setSelStart(start);
            document.setSelLength(3);
            document.setSelBold(true);
            document.setSelBackground(Red);
            document.setSelColour(White);
        }
        benchmark::DoNotOptimize(document.runs().size());
    }
}
BENCHMARK(highlightErrors)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
