#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"
#include "ui/colorschemerlustrelwidget.h"
#include "ui/colorschemerwidget.h"
#include "widgetbenchworld.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>

// The colour schemers at their size in the picker on the demo deck: a paint whose selection
// changed since the last one, so that it runs its scheme queries (the chip's card, the
// scheme, whether the card offers the other neutral scheme) before it draws the buttons
// and chips. One run per kind; the neutral group with each sub-kind.
namespace {

constexpr QSize kSchemerSize(565, 226);
// A rich card: every kind, both neutral schemes, has chips for its chips 3 and 4.
constexpr int kRichCard = 5;
constexpr int kNeutralCard = 2;

void selectChip(const QUuid &collection, int pageIndex, int rowIndex)
{
    Corvo::Preferences::setPageIndex(collection, pageIndex);
    Corvo::Preferences::setRowIndex(collection, rowIndex);
}

template <typename Widget>
void paintAfterSelectionChange(benchmark::State &state, const QUuid &collection, int pageIndex)
{
    Widget widget;
    widget.resize(kSchemerSize);
    QImage target(kSchemerSize, QImage::Format_ARGB32_Premultiplied);
    int row = 3;
    for (auto _ : state) {
        state.PauseTiming();
        row = row == 3 ? 4 : 3;
        selectChip(collection, pageIndex, row);
        state.ResumeTiming();
        widget.render(&target);
    }
}

void paintScheme(benchmark::State &state)
{
    const QUuid main = Tintwell::DemoDeck::mainCollectionUuid();
    const int kind = static_cast<int>(state.range(0));
    const int subKind = static_cast<int>(state.range(1));
    Corvo::Preferences::setSchemeKind(main, kind);
    Corvo::Preferences::setSchemeNeutralSubKind(main, subKind);
    // Dramatic schemes are made for neutral and white chips.
    const int card = kind == Corvo::SchemeDramatic ? kNeutralCard : kRichCard;
    paintAfterSelectionChange<Corvo::ColorSchemerWidget>(state, main, card);
}

void paintLustrel(benchmark::State &state)
{
    const QUuid lustrel = Tintwell::DemoDeck::lustrelCollectionUuid();
    Corvo::Preferences::setUuidOfLastUsedCollection(lustrel);
    paintAfterSelectionChange<Corvo::ColorSchemerLustrelWidget>(state, lustrel, 3);
    Corvo::Preferences::setUuidOfLastUsedCollection(Tintwell::DemoDeck::mainCollectionUuid());
}

} // namespace

BENCHMARK(paintScheme)
    ->ArgNames({"kind", "subkind"})
    ->Args({1, 7})
    ->Args({2, 7})
    ->Args({3, 7})
    ->Args({4, 7})
    ->Args({5, 7})
    ->Args({6, 7})
    ->Args({6, 8})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(paintLustrel)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", "corvo.*.debug=false");
    static int qtArgc = 1;
    QApplication app(qtArgc, argv);
    WidgetBenchWorld world;
    if (!world.isValid()) {
        std::fprintf(stderr, "bench_schemer: cannot write the demo deck\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
