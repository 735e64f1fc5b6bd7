// Speed of the colour difference and of the nearest-colour search that runs on every
// colour drop. The plain scan (every difference computed) is measured beside the search
// as the baseline it must beat while giving the same answer.
#include "engine/colour/colormatching.h"
#include "engine/colour/colorscience.h"

#include <QColor>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr int referenceCount = 1024;

// Colours spread over the whole sRGB cube, as a large fan deck covers it.
std::vector<Corvo::Lab> randomLabs(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> channel(0, 255);
    std::vector<Corvo::Lab> labs;
    labs.reserve(count);
    for (int i = 0; i < count; ++i)
        labs.push_back(
            Corvo::labFromColor(QColor(channel(random), channel(random), channel(random))));
    return labs;
}

QList<Corvo::DB::LabSample> randomIndex(int count)
{
    QList<Corvo::DB::LabSample> index;
    qint64 rowId = 1;
    for (const Corvo::Lab &lab : randomLabs(count, 7))
        index.append({lab.l, lab.a, lab.b, rowId++});
    return index;
}

// Every difference computed; the first of the smallest kept.
Corvo::ColorMatch plainNearest(const Corvo::Lab &reference,
                               const QList<Corvo::DB::LabSample> &index)
{
    Corvo::ColorMatch best{0.0, -1};
    for (const Corvo::DB::LabSample &sample : index) {
        const double deltaE = Corvo::deltaE2000(reference, {sample.l, sample.a, sample.b});
        if (best.rowId < 0 || deltaE < best.deltaE)
            best = {deltaE, sample.rowId};
    }
    return best;
}

void deltaE2000Pairs(benchmark::State &state)
{
    const std::vector<Corvo::Lab> labs = randomLabs(4096, 1);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Corvo::deltaE2000(labs[i & 4095], labs[(i * 7 + 3) & 4095]));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}

void nearestColorsOne(benchmark::State &state)
{
    const QList<Corvo::DB::LabSample> index = randomIndex(int(state.range(0)));
    const std::vector<Corvo::Lab> references = randomLabs(referenceCount, 3);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Corvo::nearestColors(references[i++ % referenceCount], index, 1));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void plainScanOne(benchmark::State &state)
{
    const QList<Corvo::DB::LabSample> index = randomIndex(int(state.range(0)));
    const std::vector<Corvo::Lab> references = randomLabs(referenceCount, 3);
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(plainNearest(references[i++ % referenceCount], index));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(deltaE2000Pairs);
BENCHMARK(nearestColorsOne)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(plainScanOne)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
