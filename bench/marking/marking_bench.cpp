// One 5,000-character test against a 5,000-character memo through the whole pipeline, and a
// class of 40 such tests through `tallimark-cli mark`.
#include "bench/support/generatedclass.h"

#include "documents/workspace.h"
#include "marking/markinghost.h"
#include "marking/markingsession.h"

#include <QCoreApplication>
#include <QDir>
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
    QString label;
    QStringList tests() const override { return testList; }
    QString destinationName() const override { return name; }
    void setDestinationName(const QString &n) override { name = n; }
    void setDestinationPreview(const QString &) override {}
    QString currentTestLabel() const override { return label; }
    void setCurrentTestLabel(const QString &path) override { label = path; }
    void showReport() override {}
    void setReportText(const QString &) override {}
    void appendReportText(const QString &) override {}
    void showCloseReportButton() override {}
    void message(const QString &, const QString &) override {}
    QString inputBox(const QString &, const QString &, const QString &defaultText) override { return defaultText; }
    bool resultAsInteger() const override { return false; }
    void processPendingEvents() override {}
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

    Workspace workspace;
    workspace.memoFiles = {root.path() + QStringLiteral("/Bron.rtf"), root.path() + QStringLiteral("/Source.rtf")};
    (void)workspace.memoDocument.loadFile(workspace.memoFiles[1]);
    QuietHost host;
    host.folder = root.path();
    host.testList = {test}; // already in the destination: no copy
    MarkingSession session(workspace, host);
    for (auto _ : state) {
        session.run();
        if (session.ending() != MarkingSession::Ending::Completed)
            state.SkipWithError("the session did not complete");
    }
}
BENCHMARK(wholePipeline)->Unit(benchmark::kMillisecond);

void classThroughCommandLine(benchmark::State &state)
{
    QTemporaryDir root;
    QDir().mkpath(root.path() + QStringLiteral("/out"));
    writeMemos(root.path());
    const QStringList tests = writeClass(root.path() + QStringLiteral("/Grade10"), 40);
    for (auto _ : state) {
        if (!markThroughCommandLine(root.path(), root.path() + QStringLiteral("/out"), tests))
            state.SkipWithError("tallimark-cli mark failed");
    }
}
BENCHMARK(classThroughCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
