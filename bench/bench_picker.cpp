#include "addon/addonmainwindow.h"
#include "addon/applicationskeleton.h"
#include "addon/startup.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"
#include "ui/mainwidget.h"
#include "widgetbenchworld.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

// The whole picker on the demo deck: a menu command's window until its first paint, cold
// (a process of its own, as the host's first command) and warm (again in the same
// process), a collection switch, a roll with every shown view redrawn, and a search that
// moves the deck.
namespace {

WidgetBenchWorld *world = nullptr;
QString program;

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

// What a menu command does up to the first painted picture: a fresh application object and
// the picker window.
double openWindowOnce()
{
    QElapsedTimer clock;
    clock.start();
    auto application = std::make_unique<Corvo::ApplicationSkeleton>();
    auto window = std::make_unique<Corvo::AddOnMainWindow>();
    PaintWatch watch;
    window->mainWidget()->installEventFilter(&watch);
    window->show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double milliseconds = clock.nsecsElapsed() / 1e6;
    window.reset();
    application.reset();
    return milliseconds;
}

void coldWindow(benchmark::State &state)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_DIRS", world->rootPath() + "/share");
    environment.insert("XDG_CONFIG_HOME", world->rootPath() + "/config");
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(program, {"--open-window-once"});
        child.waitForFinished(60000);
        bool ok = false;
        const double milliseconds = child.readAllStandardOutput().trimmed().toDouble(&ok);
        if (!ok) {
            state.SkipWithError("the child process gave no time");
            return;
        }
        state.SetIterationTime(milliseconds / 1000.0);
    }
}

void warmWindow(benchmark::State &state)
{
    openWindowOnce();
    for (auto _ : state)
        state.SetIterationTime(openWindowOnce() / 1000.0);
}

// Runs a step of the main widget with its repaints delivered.
template <typename Step>
void inPicker(benchmark::State &state, Step step)
{
    Corvo::ApplicationSkeleton application;
    Corvo::Preferences::setUuidOfLastUsedCollection(world->mainCollection());
    Corvo::MainWidget widget;
    widget.show();
    QCoreApplication::processEvents();
    int round = 0;
    for (auto _ : state) {
        step(widget, round++);
        QCoreApplication::processEvents();
    }
}

void collectionSwitch(benchmark::State &state)
{
    const QUuid collections[] = {Tintwell::DemoDeck::lustrelCollectionUuid(),
                                 world->mainCollection()};
    inPicker(state, [&](Corvo::MainWidget &widget, int round) {
        widget.collectionChangedInteractively(collections[round % 2]);
    });
}

void rollWithViews(benchmark::State &state)
{
    inPicker(state, [](Corvo::MainWidget &widget, int) { widget.rollCards(Corvo::Forward); });
}

void searchThatMoves(benchmark::State &state)
{
    Corvo::DB::ColorEntry near;
    Corvo::DB::ColorEntry far;
    Corvo::DB::rowAt(world->mainCollection(), 5, 2, near);
    if (Corvo::DB::rowAt(world->mainCollection(), 130, 4, far) != 0 || near.code.isEmpty()) {
        state.SkipWithError("the demo deck lacks the cards searched for");
        return;
    }
    const QString codes[] = {far.code, near.code};
    inPicker(state, [&](Corvo::MainWidget &widget, int round) {
        widget.searchForPhrase(codes[round % 2]);
    });
}

} // namespace

BENCHMARK(coldWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(3);
BENCHMARK(warmWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3);
BENCHMARK(collectionSwitch)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(rollWithViews)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(searchThatMoves)->Unit(benchmark::kMillisecond)->Repetitions(3);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "corvo.*.debug=false");
    if (argc == 2 && qstrcmp(argv[1], "--open-window-once") == 0) {
        if (Corvo::Startup::initialize(QString::fromLocal8Bit(argv[0])) != 0)
            return 1;
        std::printf("%.3f\n", openWindowOnce());
        return 0;
    }
    program = QString::fromLocal8Bit(argv[0]);
    std::unique_ptr<WidgetBenchWorld> demo;
    {
        // The demo deck is painted with a GUI application; each benchmark makes its own.
        QApplication painter(argc, argv);
        demo = std::make_unique<WidgetBenchWorld>();
    }
    if (!demo->isValid()) {
        std::fprintf(stderr, "bench_picker: cannot write the demo deck\n");
        return 1;
    }
    qputenv("XDG_DATA_DIRS", QFile::encodeName(demo->rootPath() + "/share"));
    if (Corvo::Startup::initialize(program) != 0) {
        std::fprintf(stderr, "bench_picker: the add-on's start-up failed\n");
        return 1;
    }
    world = demo.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
