// One 5,000-character test against a 5,000-character memo through the whole pipeline, and a
// class of 40 such tests through `tallimark-cli mark`.
#include "tests/marking/testgenerator.h"

#include "documents/richdocument.h"
#include "documents/workspace.h"
#include "marking/markinghost.h"
#include "marking/markingsession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tallimark;

namespace {

QString memoText()
{
    QRandomGenerator random(5000);
    return testing::generatedMemo(random, 5000).left(5000);
}

// The whole memo typed, with a typo every 30 words, a doubled word every 70 and a line typed
// twice, cut to 5,000 characters.
QString testText(const QString &memo, int variant)
{
    QStringList words = memo.split(u' ');
    QStringList typed;
    for (qsizetype k = 0; k < words.size(); ++k) {
        QString word = words.at(k);
        if ((k + variant) % 30 == 0 && word.size() > 2)
            std::swap(word[0], word[1]);
        typed.append(word);
        if ((k + variant) % 70 == 0)
            typed.append(word);
        if (k == 100)
            typed += words.mid(90, 10);
    }
    return typed.join(u' ').left(5000);
}

void saveRtf(const QString &text, const QString &path)
{
    RichDocument document;
    document.setText(text);
    (void)document.saveFile(path);
}

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
    const QString memo = memoText();
    saveRtf(memo, root.path() + QStringLiteral("/Source.rtf"));
    saveRtf(memo, root.path() + QStringLiteral("/Bron.rtf"));
    const QString test = dest + QStringLiteral("/Learner.rtf");
    saveRtf(testText(memo, 0), test);

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
    const QString classFolder = root.path() + QStringLiteral("/Grade10");
    QDir().mkpath(classFolder);
    QDir().mkpath(root.path() + QStringLiteral("/out"));
    const QString memo = memoText();
    saveRtf(memo, root.path() + QStringLiteral("/Source.rtf"));
    saveRtf(memo, root.path() + QStringLiteral("/Bron.rtf"));
    QStringList arguments = {QStringLiteral("mark"), QStringLiteral("--memos"), root.path(),
                             QStringLiteral("--out-root"), root.path() + QStringLiteral("/out"), QStringLiteral("--reuse")};
    for (int k = 0; k < 40; ++k) {
        const QString test = classFolder + QStringLiteral("/Learner%1.rtf").arg(k, 2, 10, QLatin1Char('0'));
        saveRtf(testText(memo, k), test);
        arguments.append(test);
    }
    const QString cli = QStringLiteral(TALLIMARK_BINARY_DIR "/cli/tallimark-cli");
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(cli, arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
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
