#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/palette/scratchpalettestore.h"
#include "ui/mypalettewidget.h"
#include "widgetbenchworld.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

// The My Palette panel at the size the main widget gives it, on the demo deck, with every
// cell filled: one paint of the panel, and one reload of the palette (24 chips re-read and
// labelled), as at every collection switch.
namespace {

constexpr QSize kPanelSize(565, 223);

WidgetBenchWorld *world = nullptr;

std::unique_ptr<Corvo::MyPaletteModel> fullPalette()
{
    using namespace Corvo;
    auto store = std::make_unique<ScratchPaletteStore>();
    const QUuid main = world->mainCollection();
    for (int cell = 0; cell < MyPaletteModel::kColumns * MyPaletteModel::kRows; ++cell) {
        DB::ColorEntry entry;
        if (DB::rowAt(main, 2 + cell * 5, 1 + cell % 7, entry) == DB::Ok)
            store->setEntry(cell % MyPaletteModel::kColumns, cell / MyPaletteModel::kColumns,
                            ItemIndex(main, entry.pageId, entry.id));
    }
    store->setSelected(1, 1, true);
    store->setSelected(4, 2, true);
    return std::make_unique<MyPaletteModel>(std::move(store));
}

void panelPaint(benchmark::State &state)
{
    const std::unique_ptr<Corvo::MyPaletteModel> model = fullPalette();
    Corvo::MyPaletteWidget panel(model.get());
    panel.resize(kPanelSize);
    if (model->isEmpty()) {
        state.SkipWithError("no chips in the palette");
        return;
    }
    QImage target(kPanelSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        panel.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void paletteReload(benchmark::State &state)
{
    const std::unique_ptr<Corvo::MyPaletteModel> model = fullPalette();
    const QUuid main = world->mainCollection();
    for (auto _ : state) {
        model->reload(main);
        benchmark::DoNotOptimize(model->cells().constData());
    }
}

} // namespace

BENCHMARK(panelPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(paletteReload)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    WidgetBenchWorld demo;
    if (!demo.isValid()) {
        std::fprintf(stderr, "bench_mypalette: cannot write the demo deck\n");
        return 1;
    }
    world = &demo;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
