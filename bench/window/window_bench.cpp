// The window as a teacher uses it, shown offscreen: listing a folder of 500 tests, and marking
// a class of 40 and of 500 tests in the window beside the same class through `tallimark-cli
// mark`. While the window marks, the longest time its event loop was blocked is measured: the
// teacher's clicks and repaints wait that long at most.
#include "bench/support/generatedclass.h"

#include "window/classresultswindow.h"
#include "window/dialogs.h"
#include "window/filelist.h"
#include "window/mainwindow.h"
#include "window/testbox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace tallimark;
using namespace tallimark::bench;

namespace {

// User and system time of the finished child processes.
double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Says nothing and reuses an existing destination folder.
class QuietDialogs : public Dialogs
{
public:
    void message(QWidget *, const QString &, const QString &, Icon) override { }
    bool question(QWidget *, const QString &, const QString &) override { return true; }
    QString inputBox(QWidget *, const QString &, const QString &, const QString &defaultText) override
    {
        return defaultText;
    }
    QString openFileName(QWidget *, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, QString &) override { return {}; }
    QString folderName(QWidget *, const QString &, const QString &) override { return {}; }
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }
    bool classDetails(QWidget *, const QString &, ClassDetails &) override { return false; }
};

// A shown window started in a temporary folder that holds the memos.
struct ShownWindow
{
    QTemporaryDir root;
    QuietDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    ShownWindow()
    {
        writeMemos(root.path());
        QDir::setCurrent(root.path());
        window =
            std::make_unique<MainWindow>(dialogs, StartOptions{root.path(), root.path() + QStringLiteral("/program")});
        window->show();
        window->start();
        (void)QTest::qWaitForWindowExposed(window.get());
    }
};

void listFolderOf500Tests(benchmark::State &state)
{
    ShownWindow shown;
    const QString folder = shown.root.path() + QStringLiteral("/Grade10");
    QDir().mkpath(folder);
    for (int k = 0; k < 500; ++k)
        saveRtf(QStringLiteral("A short test of learner %1.").arg(k),
                folder + QStringLiteral("/Learner%1.rtf").arg(k, 3, 10, QLatin1Char('0')));
    auto *list = shown.window->findChild<FileList *>(QStringLiteral("fileList"));
    for (auto _ : state) {
        if (list->listFolder(folder).failed() || list->topLevelItemCount() != 500)
            state.SkipWithError("the folder was not listed");
    }
}
BENCHMARK(listFolderOf500Tests)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Times every event the window handles: the longest one is the longest time the window's own
// work kept the event loop from the teacher's clicks.
class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;
    qint64 longestEventMs = 0;

    bool notify(QObject *receiver, QEvent *event) override
    {
        QElapsedTimer handling;
        handling.start();
        ++m_depth;
        const bool handled = QApplication::notify(receiver, event);
        if (--m_depth == 0)
            longestEventMs = std::max(longestEventMs, handling.elapsed());
        return handled;
    }

private:
    int m_depth = 0;
};

TimedApplication *timedApp()
{
    return static_cast<TimedApplication *>(QCoreApplication::instance());
}

// The longest gap between the ticks of a timer that asks to run every millisecond: besides the
// window's own work, this counts the time the system gave the process no processor.
class EventLoopWatch
{
public:
    EventLoopWatch()
    {
        m_ticks.setInterval(1);
        QObject::connect(&m_ticks, &QTimer::timeout,
                         [this] { m_longestMs = std::max(m_longestMs, m_sinceTick.restart()); });
        m_sinceTick.start();
        m_ticks.start();
    }
    qint64 longestMs() const { return m_longestMs; }

private:
    QTimer m_ticks;
    QElapsedTimer m_sinceTick;
    qint64 m_longestMs = 0;
};

void markClassInWindow(benchmark::State &state)
{
    ShownWindow shown;
    const QStringList tests = writeClass(shown.root.path() + QStringLiteral("/Grade10"), int(state.range(0)));
    shown.window->findChild<TestBox *>(QStringLiteral("testBox"))->appendTests(tests);
    qint64 longestBlockMs = 0;
    timedApp()->longestEventMs = 0;
    for (auto _ : state) {
        QEventLoop sessionEnd;
        QObject::connect(shown.window.get(), &MainWindow::sessionFinished, &sessionEnd, &QEventLoop::quit);
        EventLoopWatch watch;
        shown.window->markTests();
        sessionEnd.exec();
        // The class results window opens as the session ends; its first paint counts too.
        state.PauseTiming();
        if (auto *results = shown.window->findChild<ClassResultsWindow *>())
            (void)QTest::qWaitForWindowExposed(results);
        QTest::qWait(50);
        state.ResumeTiming();
        longestBlockMs = std::max(longestBlockMs, watch.longestMs());
        shown.window->closeReport();
    }
    state.counters["longest_event_ms"] = double(timedApp()->longestEventMs);
    state.counters["longest_tick_gap_ms"] = double(longestBlockMs);
}
BENCHMARK(markClassInWindow)->Arg(40)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(markClassInWindow)
    ->Arg(500)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void markClassThroughCommandLine(benchmark::State &state)
{
    QTemporaryDir root;
    QDir().mkpath(root.path() + QStringLiteral("/out"));
    writeMemos(root.path());
    const QStringList tests = writeClass(root.path() + QStringLiteral("/Grade10"), int(state.range(0)));
    const double cpuBefore = childrenCpuSeconds();
    for (auto _ : state) {
        if (!markThroughCommandLine(root.path(), root.path() + QStringLiteral("/out"), tests))
            state.SkipWithError("tallimark-cli mark failed");
    }
    // The CPU column counts this process only; the command's own time is what compares with
    // the window's CPU time on a busy machine.
    state.counters["command_cpu_ms"] =
        benchmark::Counter((childrenCpuSeconds() - cpuBefore) * 1000.0, benchmark::Counter::kAvgIterations);
}
BENCHMARK(markClassThroughCommandLine)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(markClassThroughCommandLine)->Arg(500)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
