#include "engine/colour/colorscience.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/nearestchips.h"
#include "ui/selectioncontroller.h"
#include "ui/similarcolorsmenu.h"
#include "widgetbenchworld.h"

#include <QApplication>
#include <QColor>

#include <benchmark/benchmark.h>

#include <cstdio>

// The nearest chips of a colour on the demo deck: the five of every offered collection
// (tintwell nearest --all, Capsure), the one of the current collection that a typed colour
// goes to, and the similar colours menu of a chip, built but not shown.
namespace {

WidgetBenchWorld *world = nullptr;

// Colours spread over the gamut, so that no single early cut-off flatters the search.
QColor colourNumber(int n)
{
    return QColor::fromHsv((n * 37) % 360, 60 + (n * 53) % 196, 40 + (n * 29) % 216);
}

void nearestAll(benchmark::State &state)
{
    const QList<QUuid> collections = Corvo::DB::orderedCollections();
    int n = 0;
    for (auto _ : state) {
        const Corvo::Lab lab = Corvo::labFromColor(colourNumber(n++));
        benchmark::DoNotOptimize(Corvo::DB::nearestChips(collections, lab, 5));
    }
}

// As a caller that keeps the indexes between colours (a Capsure file of many measurements).
void nearestAllIndexed(benchmark::State &state)
{
    const QList<Corvo::DB::ColorIndex> indexes =
        Corvo::DB::colorIndexes(Corvo::DB::orderedCollections());
    int n = 0;
    for (auto _ : state) {
        const Corvo::Lab lab = Corvo::labFromColor(colourNumber(n++));
        benchmark::DoNotOptimize(Corvo::DB::nearestChips(indexes, lab, 5));
    }
}

void typedColourSearch(benchmark::State &state)
{
    Corvo::SelectionController selection(world->mainCollection());
    std::optional<Corvo::ColorSearchHit> hit;
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(selection.search(colourNumber(n++).name(), &hit));
}

void similarColorsMenu(benchmark::State &state)
{
    Corvo::DB::ColorPage page;
    if (Corvo::DB::pageAt(world->mainCollection(), 40, page) != 0 || page.rows.isEmpty()) {
        state.SkipWithError("no demo card 40");
        return;
    }
    int n = 0;
    for (auto _ : state) {
        const Corvo::DB::ColorEntry &chip = page.rows.at(n++ % page.rows.size());
        Corvo::SimilarColorsMenu menu(world->mainCollection(), chip);
        benchmark::DoNotOptimize(menu.actions().size());
    }
}

} // namespace

BENCHMARK(nearestAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(nearestAllIndexed)->Unit(benchmark::kMicrosecond);
BENCHMARK(typedColourSearch)->Unit(benchmark::kMicrosecond);
BENCHMARK(similarColorsMenu)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    WidgetBenchWorld demo;
    if (!demo.isValid()) {
        std::fprintf(stderr, "bench_nearest: cannot write the demo deck\n");
        return 1;
    }
    world = &demo;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
