#include "engine/capsure/cxf3reader.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/palette/palettexml.h"
#include "engine/palette/scratchpalettestore.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

// What a palette costs: reloading its 24 cells on every collection switch, loading and
// saving a palette file, and reading a Capsure measurement. Runs on a generated deck of
// the demo's size (150 cards of 7 chips) whose labels show a display name.
namespace {

constexpr qint64 kCollectionId = 1;
constexpr int kCards = 150;
constexpr int kChipsPerCard = 7;
constexpr int kCells = 24;
const QUuid kCollection(QStringLiteral("{b0b0b0b0-0000-4000-8000-000000000001}"));

struct Bench
{
    QString folder;
    QList<qint64> rowIds;
};

Bench &bench()
{
    static Bench instance;
    return instance;
}

QString filePath(const QString &name)
{
    return bench().folder + QLatin1Char('/') + name;
}

bool writeDeck(const QString &path)
{
    Tintwell::CollectionFileWriter writer;
    if (!writer.create(path) || !writer.beginTransaction() || !writer.addSystemWideCollection())
        return false;
    Tintwell::CollectionFields fields;
    fields.id = kCollectionId;
    fields.uuid = kCollection;
    fields.systemId = QStringLiteral("BENCH");
    fields.name = QStringLiteral("Bench deck");
    if (!writer.addCollection(fields) ||
        !writer.addSetting(kCollectionId, QStringLiteral("collection.enabled"), 1) ||
        !writer.addSettingList(kCollectionId, QStringLiteral("row.name.display.order"),
                               {QStringLiteral("1"), QStringLiteral("0")}))
        return false;
    for (int card = 1; card <= kCards; ++card) {
        Tintwell::PageFields page;
        page.pageIndex = card;
        page.segment = card % 24 + 1;
        const auto pageId = writer.addPage(kCollectionId, page);
        if (!pageId)
            return false;
        for (int chip = 1; chip <= kChipsPerCard; ++chip) {
            Tintwell::RowFields row;
            row.pageId = *pageId;
            row.rowIndex = chip;
            row.code = QStringLiteral("B %1-%2").arg(card).arg(chip);
            row.red = card;
            row.green = chip * 30;
            row.blue = 128;
            row.names = {QStringLiteral("Name %1").arg(card), QStringLiteral("Shade %1").arg(chip)};
            const auto rowId = writer.addRow(kCollectionId, row);
            if (!rowId)
                return false;
            bench().rowIds.append(*rowId);
        }
    }
    return writer.commit() && writer.close();
}

// A palette whose 24 cells hold chips spread over the deck.
std::unique_ptr<Corvo::MyPaletteModel> fullPalette()
{
    auto palette =
        std::make_unique<Corvo::MyPaletteModel>(std::make_unique<Corvo::ScratchPaletteStore>());
    for (int i = 0; i < kCells; ++i) {
        Corvo::DB::ColorEntry entry;
        Corvo::DB::rowById(kCollection, bench().rowIds.at(i * 41), entry);
        palette->setDropTarget(QPoint(i % 6, i / 6));
        palette->dropChip(kCollection, entry);
    }
    palette->setDescription(QStringLiteral("Benchmark palette"));
    return palette;
}

void BM_PaletteReload(benchmark::State &state)
{
    const auto palette = fullPalette();
    for (auto _ : state)
        palette->reload(kCollection);
    state.counters["cells"] = kCells;
}

void BM_PaletteSaveXml(benchmark::State &state)
{
    const auto palette = fullPalette();
    const QString path = filePath(QStringLiteral("save.palette"));
    for (auto _ : state)
        benchmark::DoNotOptimize(palette->savePaletteTo(Corvo::PaletteFileFormat::Xml, path));
}

void BM_PaletteLoadXml(benchmark::State &state)
{
    const QString path = filePath(QStringLiteral("load.palette"));
    fullPalette()->savePaletteTo(Corvo::PaletteFileFormat::Xml, path);
    Corvo::MyPaletteModel palette(std::make_unique<Corvo::ScratchPaletteStore>());
    for (auto _ : state)
        benchmark::DoNotOptimize(palette.loadPaletteFrom(path));
}

// A hostile file: a thousand chips, none of which can be found.
void BM_PaletteLoadThousandUnknownChips(benchmark::State &state)
{
    QByteArray chips;
    for (int i = 0; i < 1000; ++i)
        chips += "<chip row=\"" + QByteArray::number(i % 4) + "\" col=\"" +
                 QByteArray::number(i % 6) + "\"><entry uuid-of-collection=\"" +
                 kCollection.toString().toLatin1() + "\" page-index=\"" +
                 QByteArray::number(i % kCards + 1) +
                 "\" row-index=\"1\" color-code=\"none\"/>"
                 "</chip>";
    const QString path = filePath(QStringLiteral("thousand.palette"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write("<velmora-palette version=\"3.0\" system=\"multi-collection\"><chips>" + chips +
                   "</chips></velmora-palette>") < 0)
        state.SkipWithError("cannot write the palette file");
    file.close();
    Corvo::MyPaletteModel palette(std::make_unique<Corvo::ScratchPaletteStore>());
    for (auto _ : state)
        benchmark::DoNotOptimize(palette.loadPaletteFrom(path));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void loadRepeatedly(benchmark::State &state, const QString &name, const QByteArray &document)
{
    const QString path = filePath(name);
    if (document.size() > Corvo::kMaxPaletteFileBytes || !writeFile(path, document))
        state.SkipWithError("cannot write the palette file, or it is over the size limit");
    Corvo::MyPaletteModel palette(std::make_unique<Corvo::ScratchPaletteStore>());
    for (auto _ : state)
        benchmark::DoNotOptimize(palette.loadPaletteFrom(path));
    state.counters["chips"] = double(state.range(0));
    state.counters["KB"] = double(document.size()) / 1024;
}

// A crafted version 2 file: every chip a different name that no chip carries, so each
// would need a search of its own.
void BM_PaletteLoadCraftedVersion2(benchmark::State &state)
{
    QByteArray chips;
    for (int i = 0; i < state.range(0); ++i)
        chips += "<chip row=\"" + QByteArray::number(i % 4) + "\" col=\"" +
                 QByteArray::number(i % 6) + "\">unknown " + QByteArray::number(i) + "</chip>";
    loadRepeatedly(state, QStringLiteral("crafted2.palette"),
                   "<velmora-palette version=\"2.0\" system=\"BENCH\"><chips>" + chips +
                       "</chips></velmora-palette>");
}

// A crafted version 3 file: every chip at a real place with a code that is not there.
void BM_PaletteLoadCraftedVersion3(benchmark::State &state)
{
    const QByteArray uuid = kCollection.toString().toLatin1();
    QByteArray chips;
    for (int i = 0; i < state.range(0); ++i)
        chips += "<chip row=\"" + QByteArray::number(i % 4) + "\" col=\"" +
                 QByteArray::number(i % 6) + "\"><entry uuid-of-collection=\"" + uuid +
                 "\" page-index=\"" + QByteArray::number(i % kCards + 1) + "\" row-index=\"" +
                 QByteArray::number(i / kCards % kChipsPerCard + 1) + "\" color-code=\"x" +
                 QByteArray::number(i) + "\"/></chip>";
    loadRepeatedly(state, QStringLiteral("crafted3.palette"),
                   "<velmora-palette version=\"3.0\" system=\"multi-collection\"><chips>" + chips +
                       "</chips></velmora-palette>");
}

// A file of measured objects at their largest (a device writes a few); 88,000 of them
// come close to the reader's size limit.
QByteArray cxf3Document(qint64 objects)
{
    QByteArray body;
    for (qint64 i = 0; i < objects; ++i)
        body += "<cc:Object ObjectType=\"Target\" Name=\"SW " + QByteArray::number(7000 + i) +
                "\" Id=\"" + QByteArray::number(i) +
                "\"><cc:ColorValues><cc:ColorCIELab><cc:L>50.1</cc:L><cc:A>2.2</cc:A>"
                "<cc:B>-3.3</cc:B></cc:ColorCIELab></cc:ColorValues></cc:Object>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><cc:CxF "
           "xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\"><cc:Resources>"
           "<cc:ObjectCollection>" +
           body + "</cc:ObjectCollection></cc:Resources></cc:CxF>";
}

// Reads the measurement file over and over.
template <typename Reader>
void readCxf3Repeatedly(benchmark::State &state, const QByteArray &document, Reader read)
{
    if (document.size() > Corvo::kMaxCxf3Bytes)
        state.SkipWithError("the measurement file is over the size limit");
    for (auto _ : state)
        benchmark::DoNotOptimize(read(document));
    state.counters["KB"] = double(document.size()) / 1024;
    // 0 when the reader refused the file.
    state.counters["objects"] = double(read(document).size());
}

void BM_Cxf3ObjectNames(benchmark::State &state)
{
    readCxf3Repeatedly(state, cxf3Document(state.range(0)), Corvo::readCxf3ObjectNames);
}

void BM_Cxf3Measurements(benchmark::State &state)
{
    readCxf3Repeatedly(state, cxf3Document(state.range(0)), Corvo::readCxf3Measurements);
}

// A measurement file at the size limit, nearly all of it comments of a megabyte (libxml2
// refuses a single comment over ten).
void BM_Cxf3LongComments(benchmark::State &state)
{
    constexpr qsizetype kComment = 1024 * 1024;
    constexpr qsizetype kMarkup = 7; // "<!--" and "-->"
    QByteArray document = cxf3Document(1);
    const qsizetype at = document.indexOf("<cc:Resources>");
    qsizetype left = Corvo::kMaxCxf3Bytes - document.size();
    while (left > 0) {
        const qsizetype comment = left >= kComment + kMarkup ? kComment : left;
        document.insert(at, "<!--" + QByteArray(comment - kMarkup, 'x') + "-->");
        left -= comment;
    }
    readCxf3Repeatedly(state, document, Corvo::readCxf3Measurements);
}

// A palette file at the size limit, nearly all of it its description.
void BM_PaletteLoadLongDescription(benchmark::State &state)
{
    const QByteArray empty = "<velmora-palette version=\"3.0\" system=\"multi-collection\">"
                             "<description></description><chips/></velmora-palette>";
    QByteArray document = empty;
    document.insert(document.indexOf("</description>"),
                    QByteArray(Corvo::kMaxPaletteFileBytes - empty.size(), 'x'));
    loadRepeatedly(state, QStringLiteral("long.palette"), document);
}

BENCHMARK(BM_PaletteReload)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaletteSaveXml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaletteLoadXml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaletteLoadThousandUnknownChips)->Unit(benchmark::kMillisecond);
// 2,400 chips are 83 KB; 24,000 took a minute before lookups were bounded; 90,000 and
// 27,000 chips come close to the file size limit.
BENCHMARK(BM_PaletteLoadCraftedVersion2)
    ->Arg(2400)
    ->Arg(24000)
    ->Arg(90000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaletteLoadCraftedVersion3)->Arg(27000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaletteLoadLongDescription)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cxf3ObjectNames)->Arg(3)->Arg(1000)->Arg(88000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Cxf3Measurements)->Arg(1000)->Arg(88000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Cxf3LongComments)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir scratch;
    bench().folder = scratch.path();
    const QString dataFolder = scratch.filePath(QStringLiteral("data"));
    QDir().mkpath(dataFolder + QStringLiteral("/Contents/Resources"));
    if (!writeDeck(dataFolder + QStringLiteral("/Contents/Resources/bench.db"))) {
        std::fprintf(stderr, "cannot write the benchmark deck\n");
        return EXIT_FAILURE;
    }
    Corvo::DB::setDataFolder(dataFolder);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
