#include "addon/addonmainwindow.h"
#include "addon/applicationskeleton.h"
#include "addon/startup.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/colorpage.h"
#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/phrasesearch.h"
#include "engine/palette/chipdragdata.h"
#include "engine/palette/droppedcolormatch.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"
#include "tools/tintwell/model/deckwriter.h"
#include "ui/mainwidget.h"
#include "ui/searchwidget.h"

#include <QApplication>
#include <QColor>
#include <QCompleter>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>

// How the picker's hot paths grow with the collection: the demo deck, the demo grown to
// about 5,000 and 20,000 chips in its main collection, and a data folder of 20 demo files.
// The decks are written once into HUEPORT_SCALE_CACHE (the build folder) by the same code
// as "tintwell build --demo --chips N --files N"; delete a folder there to write it again.
namespace {

struct World
{
    const char *name;
    int chips; // of the main collection asked for; 0: the demo's 1,008
    int files; // 0: the one demo file
};

const World kWorlds[] = {
    {"demo", 0, 0},
    {"chips5k", 5000, 0},
    {"chips20k", 20000, 0},
    {"files20", 0, 20},
};

const QString kCompleteMark = QStringLiteral("complete");

QString worldFolder(const World &world)
{
    return QStringLiteral(HUEPORT_SCALE_CACHE "/%1").arg(QLatin1String(world.name));
}

// The common application-data folder of a world, for XDG_DATA_DIRS.
QString shareFolder(const World &world)
{
    return worldFolder(world) + QStringLiteral("/share");
}

QString dataFolder(const World &world)
{
    return Corvo::Startup::dataFolderUnder(shareFolder(world));
}

// Written under a temporary name and renamed when whole, so an interrupted run leaves
// nothing that looks ready.
bool writeWorld(const World &world)
{
    const QString partial = worldFolder(world) + QStringLiteral(".partial");
    QDir(partial).removeRecursively();
    const QString resources = Corvo::Startup::dataFolderUnder(partial + QStringLiteral("/share")) +
                              QStringLiteral("/Contents/Resources");
    if (!QDir().mkpath(resources))
        return false;
    const Tintwell::DeckModel deck = Tintwell::DemoDeck::build(world.chips);
    const int files = std::max(1, world.files);
    for (int number = 1; number <= files; ++number) {
        Tintwell::DeckWriter writer;
        const QString name = QStringLiteral("velmora-%1.db").arg(number, 2, 10, QLatin1Char('0'));
        if (!writer.write(Tintwell::DemoDeck::numberedCopy(deck, number),
                          resources + QLatin1Char('/') + name))
            return false;
    }
    QFile mark(partial + QLatin1Char('/') + kCompleteMark);
    if (!mark.open(QIODevice::WriteOnly))
        return false;
    mark.close();
    QDir(worldFolder(world)).removeRecursively();
    return QDir().rename(partial, worldFolder(world));
}

bool ensureWorld(const World &world)
{
    if (QFile::exists(worldFolder(world) + QLatin1Char('/') + kCompleteMark))
        return true;
    std::printf("writing the %s data folder into %s\n", world.name, HUEPORT_SCALE_CACHE);
    std::fflush(stdout);
    return writeWorld(world);
}

QUuid mainCollection()
{
    return Tintwell::DemoDeck::mainCollectionUuid();
}

// Points the engine at the world's data folder with a fresh catalogue, as a start-up does.
void enterWorld(const World &world)
{
    Corvo::DB::setDataFolder(dataFolder(world));
    Corvo::DB::catalogue().clear();
    Corvo::DB::ensureCatalogue();
    Corvo::Preferences::setUuidOfLastUsedCollection(mainCollection());
    Corvo::CollectionSettings::setCurrentCollection(mainCollection());
    Corvo::DB::loadNameOrders(mainCollection());
}

QList<int> pageIndexes()
{
    QList<int> indexes;
    Corvo::DB::ColorPage page;
    for (int index = 1; Corvo::DB::pageAt(mainCollection(), index, page) == Corvo::DB::Ok; ++index)
        indexes.append(index);
    return indexes;
}

void pageWithRows(benchmark::State &state, const World *world)
{
    enterWorld(*world);
    const QList<int> indexes = pageIndexes();
    // Spread over the deck, so the far end of a large deck is read as often as the start.
    const qsizetype stride = std::max<qsizetype>(1, indexes.size() / 97);
    qsizetype position = 0;
    Corvo::DB::ColorPage page;
    for (auto _ : state) {
        position = (position + stride) % indexes.size();
        benchmark::DoNotOptimize(Corvo::DB::pageAt(mainCollection(), indexes.at(position), page));
    }
    state.counters["cards"] = static_cast<double>(indexes.size());
}

void suggestions(benchmark::State &state, const World *world)
{
    enterWorld(*world);
    QStringList list;
    for (auto _ : state)
        benchmark::DoNotOptimize(Corvo::DB::searchSuggestions(mainCollection(), list));
    state.counters["entries"] = static_cast<double>(list.size());
}

// What a collection switch costs the search bar: its suggestions, the completer built
// from them, and the first completion typed.
void suggestionsWithCompleter(benchmark::State &state, const World *world)
{
    Corvo::ApplicationSkeleton application;
    enterWorld(*world);
    Corvo::SearchWidget search;
    search.resize(300, 40);
    for (auto _ : state) {
        search.selectedCollectionChanged(mainCollection());
        QCompleter *completer = search.lineEdit()->completer();
        if (completer == nullptr) {
            state.SkipWithError("no completer was built");
            return;
        }
        completer->setCompletionPrefix(QStringLiteral("Pale"));
        benchmark::DoNotOptimize(completer->currentCompletion());
    }
}

// A colour dragged in from elsewhere that no chip has exactly: no code, no equal RGB, so
// the drop ends in the nearest-colour search of the current collection's index.
void dropNearestColour(benchmark::State &state, const World *world)
{
    enterWorld(*world);
    QList<Corvo::DB::LabSample> index;
    Corvo::DB::rowLabTable(mainCollection(), index);
    const QVariantMap payload =
        Corvo::freeColorPayload(QColor(201, 117, 83), QStringLiteral("x"), QStringLiteral("y"));
    for (auto _ : state)
        benchmark::DoNotOptimize(Corvo::matchDroppedColor(payload, mainCollection(), index));
    state.counters["chips"] = static_cast<double>(index.size());
}

// The first drop also reads the index the nearest-colour search looks in.
void colourIndex(benchmark::State &state, const World *world)
{
    enterWorld(*world);
    QList<Corvo::DB::LabSample> index;
    for (auto _ : state)
        benchmark::DoNotOptimize(Corvo::DB::rowLabTable(mainCollection(), index));
    state.counters["chips"] = static_cast<double>(index.size());
}

void catalogueScan(benchmark::State &state, const World *world)
{
    enterWorld(*world);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Corvo::DB::loadCatalogue(Corvo::DB::catalogue(), true));
        benchmark::DoNotOptimize(Corvo::DB::orderedCollections());
    }
    state.counters["collections"] = static_cast<double>(Corvo::DB::catalogue().size());
}

void roll(benchmark::State &state, const World *world)
{
    Corvo::ApplicationSkeleton application;
    enterWorld(*world);
    Corvo::MainWidget widget;
    widget.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        widget.rollCards(Corvo::Forward);
        QCoreApplication::processEvents();
    }
}

// Paints of the main widget, so that the window's first picture can be waited for.
class PaintWatch : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

// A menu command up to the window's first painted picture, in a process that has opened
// the window before.
void pickerWindow(benchmark::State &state, const World *world)
{
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        auto application = std::make_unique<Corvo::ApplicationSkeleton>();
        enterWorld(*world);
        auto window = std::make_unique<Corvo::AddOnMainWindow>();
        PaintWatch watch;
        window->mainWidget()->installEventFilter(&watch);
        window->show();
        while (!watch.painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        window->mainWidget()->removeEventFilter(&watch);
        window.reset();
        application.reset();
    }
}

template <typename Function>
void add(const char *name, Function function, const World &world, benchmark::TimeUnit unit)
{
    benchmark::RegisterBenchmark(QStringLiteral("%1/%2")
                                     .arg(QLatin1String(name), QLatin1String(world.name))
                                     .toUtf8()
                                     .constData(),
                                 function, &world)
        ->Unit(unit);
}

void registerBenchmarks()
{
    for (const World &world : kWorlds) {
        if (world.files == 0) {
            add("pageWithRows", pageWithRows, world, benchmark::kMicrosecond);
            add("roll", roll, world, benchmark::kMillisecond);
            add("suggestions", suggestions, world, benchmark::kMillisecond);
            add("suggestionsWithCompleter", suggestionsWithCompleter, world,
                benchmark::kMillisecond);
            add("dropNearestColour", dropNearestColour, world, benchmark::kMillisecond);
            add("colourIndex", colourIndex, world, benchmark::kMillisecond);
        }
        add("catalogueScan", catalogueScan, world, benchmark::kMillisecond);
        benchmark::RegisterBenchmark(
            QStringLiteral("pickerWindow/%1").arg(QLatin1String(world.name)).toUtf8().constData(),
            pickerWindow, &world)
            ->UseManualTime()
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
    {
        // Theme images and textures are painted with a GUI application; each benchmark
        // that needs widgets makes its own, as a menu command does.
        QApplication painter(argc, argv);
        for (const World &world : kWorlds) {
            if (!ensureWorld(world)) {
                std::fprintf(stderr, "bench_scale: cannot write the %s data folder\n", world.name);
                return 1;
            }
        }
    }
    qputenv("XDG_DATA_DIRS", QFile::encodeName(shareFolder(kWorlds[0])));
    if (Corvo::Startup::initialize(QString::fromLocal8Bit(argv[0])) != 0) {
        std::fprintf(stderr, "bench_scale: the add-on's start-up failed\n");
        return 1;
    }
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
