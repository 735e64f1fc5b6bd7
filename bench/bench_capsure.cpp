#include "engine/capsure/capsureimport.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "tools/tintwell/demo/demodeck.h"
#include "widgetbenchworld.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

// A click on the Capsure button on the demo deck, up to the dialog: the measurement read
// read-only, its names and colour taken from the CxF3 document, the names looked up in the
// Capsure-enabled collections, the chips grouped by priority, their collections named and
// their differences from the measured colour computed; and a measurement whose name no
// chip carries, answered by the nearest chips of those collections.
namespace {

constexpr int kNamedColours = 10;

QStringList demoCodes(int count)
{
    QStringList codes;
    for (int index = 1; codes.size() < count && index < 100; ++index) {
        Corvo::DB::ColorPage page;
        if (Corvo::DB::pageAt(Tintwell::DemoDeck::mainCollectionUuid(), index, page) !=
            Corvo::DB::Ok)
            continue;
        for (const Corvo::DB::ColorEntry &entry : page.rows) {
            if (codes.size() < count)
                codes.append(entry.code);
        }
    }
    return codes;
}

bool writeMeasurement(const QString &path, const QStringList &names)
{
    QByteArray objects;
    for (const QString &name : names)
        objects += "<cc:Object ObjectType=\"Target\" Name=\"" + name.toUtf8() +
                   "\" Id=\"1\"><cc:ColorValues><cc:ColorCIELab><cc:L>50</cc:L><cc:A>1</cc:A>"
                   "<cc:B>2</cc:B></cc:ColorCIELab></cc:ColorValues></cc:Object>";
    QFile file(path);
    const QByteArray bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><cc:CxF "
                             "xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\"><cc:Resources>"
                             "<cc:ObjectCollection>" +
                             objects + "</cc:ObjectCollection></cc:Resources></cc:CxF>";
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString g_measurement;
QString g_unnamedMeasurement;

void importMeasurement(benchmark::State &state)
{
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<Corvo::CapsureCandidate> candidates = Corvo::importCapsureFile(g_measurement);
        found = candidates.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["candidates"] = static_cast<double>(found);
}

void importUnmatchedMeasurement(benchmark::State &state)
{
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<Corvo::CapsureCandidate> candidates =
            Corvo::importCapsureFile(g_unnamedMeasurement);
        found = candidates.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["candidates"] = static_cast<double>(found);
}

} // namespace

BENCHMARK(importUnmatchedMeasurement)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(importMeasurement)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    WidgetBenchWorld world;
    QTemporaryDir folder;
    const QStringList codes = demoCodes(kNamedColours);
    g_measurement = folder.filePath(QStringLiteral("Capsure.cxf"));
    g_unnamedMeasurement = folder.filePath(QStringLiteral("Unnamed.cxf"));
    if (!world.isValid() || codes.size() != kNamedColours ||
        !writeMeasurement(g_measurement, codes) ||
        !writeMeasurement(g_unnamedMeasurement, {QStringLiteral("NO SUCH COLOUR")})) {
        std::fprintf(stderr, "bench_capsure: cannot prepare the demo deck and measurement\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
