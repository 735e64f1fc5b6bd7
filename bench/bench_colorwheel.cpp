#include "tools/tintwell/demo/demodeck.h"
#include "ui/colorwheellayout.h"
#include "ui/colorwheelpainter.h"
#include "widgetbenchworld.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>

// The colour wheel at its fixed size on the demo deck: a paint as every repaint does it
// (the cached wheel, pointer and arc), and the rebuild of the cached wheel that a change of
// collection, size or device pixel ratio costs (the picture decoded, scaled, the hub drawn).
namespace {

QUuid demo()
{
    return Tintwell::DemoDeck::mainCollectionUuid();
}

void paintFromCache(benchmark::State &state)
{
    const qreal ratio = static_cast<qreal>(state.range(0));
    const Corvo::ColorWheelLayout layout(Corvo::ColorWheelSettings::ofCollection(demo()));
    Corvo::ColorWheelPainter painter;
    QImage target(Corvo::ColorWheelLayout::kSize * ratio, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(ratio);
    int segment = 0;
    for (auto _ : state) {
        QPainter on(&target);
        painter.paint(on, layout, demo(), Corvo::ColorWheelLayout::kSize,
                      segment++ % layout.segmentCount() + 1, ratio);
    }
}

void rebuildCache(benchmark::State &state)
{
    const qreal ratio = static_cast<qreal>(state.range(0));
    for (auto _ : state) {
        const QPixmap wheel =
            Corvo::ColorWheelPainter::renderWheel(demo(), Corvo::ColorWheelLayout::kSize, ratio);
        benchmark::DoNotOptimize(wheel.cacheKey());
    }
}

} // namespace

BENCHMARK(paintFromCache)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(rebuildCache)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    QApplication app(qtArgc, argv);
    WidgetBenchWorld world;
    if (!world.isValid()) {
        std::fprintf(stderr, "bench_colorwheel: cannot write the demo deck\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
