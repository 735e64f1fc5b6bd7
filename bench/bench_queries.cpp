#include "engine/db/collectioncatalogue.h"
#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/phrasesearch.h"
#include "engine/db/schemequeries.h"
#include "engine/settings/chiplabels.h"
#include "engine/settings/collectionsettings.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QColor>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

// The queries the card roller, the search bar and the tool tips run on every paint or
// key stroke. Runs on the deck of the data folder named by HUEPORT_BENCH_DATA (for
// example the demo set written by "tintwell build --demo"), using its first collection;
// without it, on a generated deck of the demo's size (150 cards of 7 chips, 24 segments).
namespace {

constexpr int kCards = 150;
constexpr int kChipsPerCard = 7;
constexpr int kSegments = 24;

struct Deck
{
    QUuid uuid;
    QList<int> pageIndexes;
    QList<int> segments;
    QList<qint64> rowIds;
    QStringList phrases;
};

Deck &deck()
{
    static Deck instance;
    return instance;
}

QString syllableName(int number)
{
    static const char *const syllables[] = {"ka", "lo", "mi",  "ra",  "sen", "tu", "vel", "dor",
                                            "an", "is", "bre", "qua", "zel", "fi", "nor", "pa"};
    QString name;
    for (int n = number + 17; n > 0; n /= 16)
        name += QLatin1String(syllables[n % 16]);
    name[0] = name.at(0).toUpper();
    return name;
}

bool writeGeneratedDeck(const QString &path)
{
    Tintwell::CollectionFileWriter writer;
    if (!writer.create(path) || !writer.beginTransaction() || !writer.addSystemWideCollection())
        return false;
    Tintwell::CollectionFields fields;
    fields.id = 1;
    fields.uuid = QUuid(QStringLiteral("{5EED0000-0000-4000-8000-000000000001}"));
    fields.systemId = QStringLiteral("BENCH");
    fields.name = QStringLiteral("Bench deck");
    if (!writer.addCollection(fields))
        return false;
    const bool settings =
        writer.addSetting(1, QStringLiteral("collection.enabled"), QStringLiteral("1")) &&
        writer.addSettingList(1, QStringLiteral("page.name.search.order"), {"0"}) &&
        writer.addSettingList(1, QStringLiteral("row.name.search.order"), {"0", "1"}) &&
        writer.addSettingList(1, QStringLiteral("page.name.display.order"), {"0"}) &&
        writer.addSettingList(1, QStringLiteral("row.name.display.order"), {"0", "1"}) &&
        writer.addSettingList(1, QStringLiteral("row.extra.display.order"), {"0"});
    if (!settings)
        return false;
    for (const char *flag :
         {"color.tooltip.show.collection.name", "color.tooltip.show.page.name",
          "color.tooltip.show.row.code", "color.tooltip.show.row.name",
          "color.tooltip.show.row.auxiliary.info", "color.tooltip.show.page.index"}) {
        if (!writer.addSetting(1, QString::fromLatin1(flag), QStringLiteral("1")))
            return false;
    }
    QList<qint64> rowIds;
    for (int card = 1; card <= kCards; ++card) {
        Tintwell::PageFields page;
        page.pageIndex = card;
        page.segment = 1 + (card - 1) * kSegments / kCards;
        page.mood = 1 + card % 6;
        page.exterior = card % 4 == 0;
        page.names = {QStringLiteral("%1 Collection").arg(syllableName(card * 7))};
        const auto pageId = writer.addPage(1, page);
        if (!pageId)
            return false;
        for (int chip = 1; chip <= kChipsPerCard; ++chip) {
            const int number = (card - 1) * kChipsPerCard + chip;
            Tintwell::RowFields row;
            row.pageId = *pageId;
            row.rowIndex = kChipsPerCard + 1 - chip;
            row.code = QStringLiteral("BN %1").arg(number, 4, 10, QLatin1Char('0'));
            row.segment = page.segment;
            row.red = number % 256;
            row.green = (number * 7) % 256;
            row.blue = (number * 13) % 256;
            row.l = 100.0 * chip / (kChipsPerCard + 1);
            row.mood = page.mood;
            row.names = {syllableName(number), QStringLiteral("No. %1").arg(number)};
            row.extras = {QStringLiteral("LRV %1").arg(row.l, 0, 'f', 1)};
            const auto rowId = writer.addRow(1, row);
            if (!rowId)
                return false;
            rowIds.append(*rowId);
        }
    }
    for (int i = 0; i < rowIds.size(); ++i) {
        for (int k = 1; k <= kChipsPerCard; ++k) {
            if (!writer.addRowScheme(1, rowIds.at(i), 1, rowIds.at((i + k * 37) % rowIds.size()),
                                     k / 4, k))
                return false;
        }
    }
    return writer.commit();
}

bool loadDeck(const QUuid &uuid)
{
    Deck &d = deck();
    d.uuid = uuid;
    Corvo::DB::loadNameOrders(uuid);
    Corvo::CollectionSettings::setCurrentCollection(uuid);
    if (Corvo::DB::segments(uuid, d.segments) != Corvo::DB::Ok)
        return false;
    Corvo::DB::ColorPage page;
    for (int index = 1; Corvo::DB::pageAt(uuid, index, page) == Corvo::DB::Ok; ++index) {
        d.pageIndexes.append(index);
        for (const Corvo::DB::ColorEntry &row : page.rows) {
            d.rowIds.append(row.id);
            // Chips late in the deck: a phrase search has to look at most of the rows.
            d.phrases.prepend(row.names.value(0).toLower());
        }
    }
    d.phrases = d.phrases.mid(0, 50);
    return !d.pageIndexes.isEmpty();
}

template <typename T>
const T &cycle(const QList<T> &list, qsizetype &position)
{
    position = (position + 1) % list.size();
    return list.at(position);
}

void BM_PageAtWithRows(benchmark::State &state)
{
    qsizetype position = 0;
    Corvo::DB::ColorPage page;
    for (auto _ : state) {
        const int result =
            Corvo::DB::pageAt(deck().uuid, cycle(deck().pageIndexes, position), page);
        benchmark::DoNotOptimize(result);
    }
}

void BM_AdjacentPage(benchmark::State &state)
{
    qsizetype position = 0;
    Corvo::DB::ColorPage page;
    for (auto _ : state) {
        const int result =
            Corvo::DB::adjacentPage(deck().uuid, cycle(deck().pageIndexes, position),
                                    position % 2 == 0, Corvo::DB::kAllMoods, false, page);
        benchmark::DoNotOptimize(result);
    }
}

void BM_FirstPageOfSegment(benchmark::State &state)
{
    qsizetype position = 0;
    Corvo::DB::ColorPage page;
    for (auto _ : state) {
        const int result = Corvo::DB::firstPageOfSegment(
            deck().uuid, cycle(deck().segments, position), Corvo::DB::kAllMoods, false, page);
        benchmark::DoNotOptimize(result);
    }
}

void BM_FindPhrase(benchmark::State &state)
{
    qsizetype position = 0;
    Corvo::DB::PhraseMatch match;
    for (auto _ : state) {
        const int result =
            Corvo::DB::findPhrase(deck().uuid, cycle(deck().phrases, position), match);
        benchmark::DoNotOptimize(result);
    }
}

void BM_SearchSuggestions(benchmark::State &state)
{
    QStringList suggestions;
    for (auto _ : state) {
        const int result = Corvo::DB::searchSuggestions(deck().uuid, suggestions);
        benchmark::DoNotOptimize(result);
    }
    state.counters["entries"] = static_cast<double>(suggestions.size());
}

void BM_ChipToolTip(benchmark::State &state)
{
    qsizetype position = 0;
    for (auto _ : state) {
        const QString text = Corvo::chipToolTip(deck().uuid, cycle(deck().rowIds, position));
        benchmark::DoNotOptimize(text);
    }
}

void BM_SchemeRows(benchmark::State &state)
{
    qsizetype position = 0;
    QList<Corvo::DB::ColorEntry> entries;
    for (auto _ : state) {
        const int pageIndex = cycle(deck().pageIndexes, position);
        const int result = Corvo::DB::schemeRows(deck().uuid, Corvo::DB::Scheme::Harmonic,
                                                 pageIndex, 1 + pageIndex % 5, entries);
        benchmark::DoNotOptimize(result);
    }
}

BENCHMARK(BM_PageAtWithRows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AdjacentPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstPageOfSegment)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindPhrase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchSuggestions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChipToolTip)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SchemeRows)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir scratch;
    QString dataFolder = qEnvironmentVariable("HUEPORT_BENCH_DATA");
    if (dataFolder.isEmpty()) {
        dataFolder = scratch.filePath(QStringLiteral("data"));
        QDir().mkpath(dataFolder + QStringLiteral("/Contents/Resources"));
        if (!writeGeneratedDeck(dataFolder + QStringLiteral("/Contents/Resources/bench.db"))) {
            std::fprintf(stderr, "cannot write the benchmark deck\n");
            return EXIT_FAILURE;
        }
    }
    Corvo::DB::setDataFolder(dataFolder);
    const QList<QUuid> collections = Corvo::DB::orderedCollections();
    if (collections.isEmpty() || !loadDeck(collections.first())) {
        std::fprintf(stderr, "no collection to measure in %s\n", qPrintable(dataFolder));
        return EXIT_FAILURE;
    }
    std::printf("deck: %lld cards, %lld chips, %lld segments\n",
                static_cast<long long>(deck().pageIndexes.size()),
                static_cast<long long>(deck().rowIds.size()),
                static_cast<long long>(deck().segments.size()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
