// The class pack as PDF for one learner whose marked copy has many paragraphs: the time should
// grow with the paragraphs, not with their square.
#include "classpack/classpack.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tallimark;

namespace {

void packOfALongMarkedCopy(benchmark::State &state)
{
    QTemporaryDir dest;
    const QString copy = dest.filePath(QStringLiteral("Learner.rug"));
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
    for (qint64 i = 0; i < state.range(0); ++i)
        rtf += "Paragraph " + QByteArray::number(i) + " of the test, with {\\cb2 an error} in it.\\par\n";
    QFile file(copy);
    if (!file.open(QIODevice::WriteOnly) || file.write(rtf + '}') < 0)
        state.SkipWithError("the marked copy could not be written");
    file.close();

    LearnerResult learner;
    learner.current.learner = QStringLiteral("Learner");
    learner.current.markedCopy = copy;
    learner.current.finalResult = 55;
    const ClassPackContent content{QStringLiteral("Class"), {learner}, classFigures({learner}), {}};
    for (auto _ : state) {
        QStringList problems;
        if (!writeClassPackPdf(dest.filePath(QStringLiteral("pack.pdf")), content, problems).isEmpty())
            state.SkipWithError("the pack could not be written");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(packOfALongMarkedCopy)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
