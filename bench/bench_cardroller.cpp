#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/preferences.h"
#include "ui/cardrollerwidget.h"
#include "widgetbenchworld.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>

// The card roller at the size the main widget gives it, on the demo deck: a full refresh
// (three card loads and the painting), and a roll as the roller sees it (the roll signal
// answered as the main widget answers it, the new cards loaded, then the repaint).
namespace {

constexpr QSize kRollerSize(210, 220);

WidgetBenchWorld *world = nullptr;

void fullPaint(benchmark::State &state)
{
    const QUuid main = world->mainCollection();
    Corvo::Preferences::setPageIndex(main, 40);
    Corvo::Preferences::setRowIndex(main, 3);
    Corvo::CardRollerWidget roller;
    roller.resize(kRollerSize);
    QImage target(kRollerSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        roller.selectionChanged();
        roller.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void rollAndRepaint(benchmark::State &state)
{
    const QUuid main = world->mainCollection();
    Corvo::Preferences::setPageIndex(main, 40);
    Corvo::CardRollerWidget roller;
    roller.resize(kRollerSize);
    QImage target(kRollerSize, QImage::Format_ARGB32_Premultiplied);
    QObject::connect(&roller, &Corvo::CardRollerWidget::roll, &roller,
                     [&roller, &target, main](Corvo::Direction direction) {
                         using namespace Corvo;
                         DB::ColorPage page;
                         if (DB::adjacentPage(main, Preferences::pageIndex(main),
                                              direction == Backward, Preferences::moodFilter(main),
                                              Preferences::exteriorColors(main), page) == DB::Ok) {
                             Preferences::setSegmentIndex(main, page.segment);
                             Preferences::setPageIndex(main, page.pageIndex);
                         }
                         roller.selectionChanged();
                         roller.render(&target);
                     });
    for (auto _ : state) {
        emit roller.roll(Corvo::Forward);
        benchmark::DoNotOptimize(target.constBits());
    }
}

} // namespace

BENCHMARK(fullPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(rollAndRepaint)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    WidgetBenchWorld demo;
    if (!demo.isValid()) {
        std::fprintf(stderr, "bench_cardroller: cannot write the demo deck\n");
        return 1;
    }
    world = &demo;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
