#include "tools/tintwell/demo/demodeck.h"
#include "tools/tintwell/model/deckwriter.h"
#include "tools/tintwell/validation/filevalidator.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// The demo file set must build in well under ten seconds on two cores: planning the deck
// (colours, names, schemes, theme images, textures) and writing it in one transaction.
namespace {

void demoPlan(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Tintwell::DemoDeck::build());
}

void demoWrite(benchmark::State &state)
{
    const Tintwell::DeckModel deck = Tintwell::DemoDeck::build();
    QTemporaryDir folder;
    for (auto _ : state) {
        Tintwell::DeckWriter writer;
        if (!writer.write(deck, folder.filePath(QStringLiteral("velmora.db"))))
            state.SkipWithError(qPrintable(writer.lastError()));
    }
}

void demoBuildAndWrite(benchmark::State &state)
{
    QTemporaryDir folder;
    for (auto _ : state) {
        Tintwell::DeckWriter writer;
        if (!writer.write(Tintwell::DemoDeck::build(),
                          folder.filePath(QStringLiteral("velmora.db"))))
            state.SkipWithError(qPrintable(writer.lastError()));
    }
}

void demoValidate(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("velmora.db"));
    Tintwell::DeckWriter writer;
    writer.write(Tintwell::DemoDeck::build(), path);
    for (auto _ : state) {
        Tintwell::FileValidator validator;
        validator.validate(path);
        benchmark::DoNotOptimize(validator.problems().hasErrors());
    }
}

} // namespace

BENCHMARK(demoPlan)->Unit(benchmark::kMillisecond);
BENCHMARK(demoWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(demoBuildAndWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(demoValidate)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // Theme images are painted with fonts, which need a GUI application; no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
