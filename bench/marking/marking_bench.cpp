// One 5,000-character test against a 5,000-character memo through the whole pipeline, and a
// class of 40 such tests through `tallimark-cli mark` against `unrtf --text` on the same files.
#include "bench/support/generatedclass.h"

#include "documents/workspace.h"
#include "marking/markinghost.h"
#include "marking/markingsession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tallimark;
using namespace tallimark::bench;

namespace {

class QuietHost : public MarkingHost
{
public:
    QStringList testList;
    QString folder;
    QString name;
    QStringList tests() const override { return testList; }
    QString destinationName() const override { return name; }
    void setDestinationName(const QString &n) override { name = n; }
    void setDestinationPreview(const QString &) override { }
    void setCurrentTestLabel(const QString &) override { }
    void showReport() override { }
    void setReportText(const QString &) override { }
    void appendReportText(const QString &) override { }
    void showCloseReportButton() override { }
    void message(const QString &, const QString &) override { }
    QString inputBox(const QString &, const QString &, const QString &defaultText) override { return defaultText; }
    Rounding rounding() const override { return Rounding::MultipleOf5; }
    void processPendingEvents() override { }
    QString applicationFolder() const override { return folder; }
};

void wholePipeline(benchmark::State &state)
{
    QTemporaryDir root;
    const QString dest = root.path() + QStringLiteral("/Class");
    QDir().mkpath(dest);
    writeMemos(root.path());
    const QString test = dest + QStringLiteral("/Learner.rtf");
    saveRtf(testText(memoText(), 0), test);

    const std::array<QString, 2> memoFiles{root.path() + QStringLiteral("/Bron.rtf"),
                                           root.path() + QStringLiteral("/Source.rtf")};
    QuietHost host;
    host.folder = root.path();
    host.testList = {test}; // already in the destination: no copy
    MarkingSession session(host);
    session.setMemoFiles(memoFiles);
    for (auto _ : state) {
        session.run();
        if (session.ending() != MarkingSession::Ending::Completed)
            state.SkipWithError("the session did not complete");
    }
}
BENCHMARK(wholePipeline)->Unit(benchmark::kMillisecond);

// The same class of 40 on the ordinary disk, against `unrtf --text` converting the same 40
// files, alternating within each iteration so that both see the same machine load. The
// iteration time is the marking; the counters carry unrtf's time and the ratio. Without unrtf
// installed only the marking is measured.
void classAgainstUnrtf(benchmark::State &state)
{
    QTemporaryDir root; // /tmp is the ordinary disk here (df /tmp), not a tmpfs
    QDir().mkpath(root.path() + QStringLiteral("/out"));
    writeMemos(root.path());
    const QStringList tests = writeClass(root.path() + QStringLiteral("/Grade10"), 40);
    const QStringList arguments = QStringList{QStringLiteral("mark"),
                                              QStringLiteral("--memos"),
                                              root.path(),
                                              QStringLiteral("--out-root"),
                                              root.path() + QStringLiteral("/out"),
                                              QStringLiteral("--reuse")}
        + tests;
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    const auto run = [](const QString &program, const QStringList &programArguments) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, programArguments);
        return process.waitForFinished(60000) && process.exitCode() == 0;
    };
    double markSeconds = 0;
    double unrtfSeconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!run(QStringLiteral(TALLIMARK_BINARY_DIR "/cli/tallimark-cli"), arguments))
            state.SkipWithError("tallimark-cli mark failed");
        const double marked = double(timer.nsecsElapsed()) / 1e9;
        state.SetIterationTime(marked);
        markSeconds += marked;
        if (unrtf.isEmpty())
            continue;
        timer.restart();
        for (const QString &test : tests) {
            if (!run(unrtf, {QStringLiteral("--text"), test}))
                state.SkipWithError("unrtf failed");
        }
        unrtfSeconds += double(timer.nsecsElapsed()) / 1e9;
    }
    if (!unrtf.isEmpty() && unrtfSeconds > 0) {
        state.counters["unrtf_ms"] = benchmark::Counter(unrtfSeconds * 1000 / double(state.iterations()));
        state.counters["mark_ms"] = benchmark::Counter(markSeconds * 1000 / double(state.iterations()));
        state.counters["ratio"] = benchmark::Counter(markSeconds / unrtfSeconds);
    }
}
BENCHMARK(classAgainstUnrtf)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
