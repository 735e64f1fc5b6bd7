#include "engine/settings/preferences.h"
#include "ui/texturesviewport.h"
#include "ui/textureswidget.h"
#include "widgetbenchworld.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>

// The textures view at the size the main widget gives it, on the demo deck: one paint of the
// card's three textures tinted with the selected chip, cold (every tile scaled and tinted
// afresh, as after a change of chip) and warm (the tiles from the cache, as on a repaint).
// The argument is the device pixel ratio.
namespace {

constexpr QSize kViewSize(565, 226);
constexpr int kPageIndex = 40;
constexpr int kRowIndex = 3;

WidgetBenchWorld *world = nullptr;

void paintTextures(benchmark::State &state, bool cold)
{
    const QUuid main = world->mainCollection();
    Corvo::Preferences::setPageIndex(main, kPageIndex);
    Corvo::Preferences::setRowIndex(main, kRowIndex);
    Corvo::TexturesWidget view;
    view.resize(kViewSize);
    view.show();
    Corvo::TexturesViewport *viewport = view.texturesViewport();
    if (viewport->textures().isEmpty()) {
        state.SkipWithError("the card shows no textures");
        return;
    }
    const qreal ratio = static_cast<qreal>(state.range(0));
    QImage target(viewport->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        if (cold)
            viewport->clearTileCache();
        viewport->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void coldPaint(benchmark::State &state)
{
    paintTextures(state, true);
}

void warmPaint(benchmark::State &state)
{
    paintTextures(state, false);
}

} // namespace

BENCHMARK(coldPaint)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(warmPaint)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    QApplication app(qtArgc, argv);
    WidgetBenchWorld bench;
    if (!bench.isValid()) {
        std::fprintf(stderr, "bench_textures: cannot write the demo deck\n");
        return 1;
    }
    world = &bench;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
