#include "addon/hostconnection.h"
#include "addon/projectattributes.h"
#include "addon/projectcolourswindow.h"
#include "addon/startup.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/palette/projectcolourmatcher.h"
#include "host/runner/attributeenumeration.h"
#include "host/runner/projectseed.h"
#include "widgetbenchworld.h"

#include <QApplication>
#include <QColor>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

// Opening the project colours window: the project's attributes read through the service
// table, the colour indexes of every offered collection read once, every attribute matched
// and the table filled (the window is built, not shown). On the demo deck, and on the
// 20-file data folder that bench_scale writes into the build folder, when it is there.
namespace {

using HostRunner::ProjectStore;

ProjectStore *g_project = nullptr;

int32_t attributeCount(void *, int32_t type, int32_t *count)
{
    return HostRunner::AttributeEnumeration::count(*g_project, type, count);
}

int32_t attributeByIndex(void *, int32_t type, int32_t index, void *record, void *definition)
{
    return HostRunner::AttributeEnumeration::get(*g_project, type, index, record, definition);
}

QColor colourNumber(int n)
{
    return QColor::fromHsv((n * 37) % 360, 60 + (n * 53) % 196, 40 + (n * 29) % 216);
}

std::string rgbText(const QColor &colour)
{
    return std::to_string(colour.red()) + "," + std::to_string(colour.green()) + "," +
           std::to_string(colour.blue());
}

// Half materials, half pens in tables of 100.
ProjectStore projectOf(int attributes)
{
    constexpr int kPensPerTable = 100;
    ProjectStore project;
    std::string error;
    const int materials = attributes / 2;
    for (int n = 0; n < materials; ++n)
        HostRunner::ProjectSeed::addMaterial(project, "Material " + std::to_string(n),
                                             rgbText(colourNumber(n)), error);
    for (int table = 0; table * kPensPerTable < attributes - materials; ++table) {
        std::string colours;
        for (int pen = 0; pen < kPensPerTable; ++pen)
            colours += (pen ? ";" : "") + rgbText(colourNumber(materials + table * 100 + pen));
        HostRunner::ProjectSeed::addPens(project, "Pens " + std::to_string(table), colours, error);
    }
    return project;
}

void connectHost(ProjectStore &project)
{
    g_project = &project;
    unsigned char table[HostApi::kServiceTableBytes] = {};
    HostServices services{};
    services.size = sizeof services;
    services.version = kHostServicesVersion;
    services.getAttributeCount = attributeCount;
    services.getAttributeByIndex = attributeByIndex;
    std::memcpy(table, &services, sizeof services);
    Corvo::HostConnection::instance().setServiceTable(table);
}

void openWindow(benchmark::State &state, const QString &dataFolder)
{
    if (!dataFolder.isEmpty()) {
        Corvo::DB::setDataFolder(dataFolder);
        Corvo::DB::catalogue().clear();
        Corvo::DB::ensureCatalogue();
    }
    ProjectStore project = projectOf(int(state.range(0)));
    connectHost(project);
    for (auto _ : state) {
        const auto attributes = Corvo::ProjectAttributes::read();
        Corvo::ProjectColoursWindow window(
            attributes.value_or(QList<Corvo::ProjectAttributes::Attribute>()));
        benchmark::DoNotOptimize(window.table()->rowCount());
    }
    state.counters["collections"] = double(Corvo::DB::orderedCollections().size());
}

// The matching alone: the indexes read and every colour matched, without host or widgets.
void matchColours(benchmark::State &state)
{
    for (auto _ : state) {
        const Corvo::ProjectColourMatcher matcher(Corvo::DB::orderedCollections());
        for (int n = 0; n < state.range(0); ++n)
            benchmark::DoNotOptimize(matcher.match(colourNumber(n)));
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    WidgetBenchWorld demo;
    if (!demo.isValid()) {
        std::fprintf(stderr, "bench_projectcolours: cannot write the demo deck\n");
        return 1;
    }
    benchmark::RegisterBenchmark("openWindow/demo", openWindow, QString())
        ->Arg(200)
        ->Arg(2000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("matchColours/demo", matchColours)
        ->Arg(200)
        ->Arg(2000)
        ->Unit(benchmark::kMillisecond);
    const QString files20 = QStringLiteral(HUEPORT_SCALE_CACHE "/files20");
    if (QFile::exists(files20 + QStringLiteral("/complete")))
        benchmark::RegisterBenchmark(
            "openWindow/files20", openWindow,
            Corvo::Startup::dataFolderUnder(files20 + QStringLiteral("/share")))
            ->Arg(200)
            ->Arg(2000)
            ->Iterations(2)
            ->Unit(benchmark::kMillisecond);
    else
        std::printf("no 20-file data folder yet (bench_scale writes it): the demo only\n");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
