#include "engine/palette/swatchformats.h"
#include "tools/tintwell/cli/commandline.h"

#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

// `tintwell import` of a 2,000-colour file in each format, the whole command: reading,
// cards, schemes, theme images, writing and the validate pass. The goal is under 2 s each.
namespace {

constexpr int kColours = 2000;

enum Format { Csv, Gpl, Ase, Cxf3 };

// Colours spread round the wheel and from light to dark, as a maker's deck is.
QColor colourAt(int n)
{
    return QColor::fromHsl((n * 37) % 360, 40 + (n * 13) % 200, 30 + (n * 7) % 200);
}

QByteArray csvFile()
{
    QByteArray file = "code,name,hex,group,lrv\n";
    for (int n = 0; n < kColours; ++n)
        file += QStringLiteral("BI %1,Colour %1,%2,Group %3,%4\n")
                    .arg(n)
                    .arg(colourAt(n).name())
                    .arg(n / 70)
                    .arg(n % 100)
                    .toUtf8();
    return file;
}

QList<Corvo::PaletteSwatch> swatches()
{
    QList<Corvo::PaletteSwatch> list;
    for (int n = 0; n < kColours; ++n)
        list.append({colourAt(n), QStringLiteral("Colour %1").arg(n), QString()});
    return list;
}

QByteArray cxf3File()
{
    QByteArray file = "<?xml version=\"1.0\"?><cc:CxF "
                      "xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\"><cc:Resources>"
                      "<cc:ObjectCollection>";
    for (int n = 0; n < kColours; ++n) {
        const QColor colour = colourAt(n);
        file += QStringLiteral("<cc:Object Name=\"Colour %1\"><cc:ColorValues><cc:ColorSRGB>"
                               "<cc:R>%2</cc:R><cc:G>%3</cc:G><cc:B>%4</cc:B></cc:ColorSRGB>"
                               "</cc:ColorValues></cc:Object>")
                    .arg(n)
                    .arg(colour.red())
                    .arg(colour.green())
                    .arg(colour.blue())
                    .toUtf8();
    }
    return file + "</cc:ObjectCollection></cc:Resources></cc:CxF>";
}

QByteArray fileOf(Format format)
{
    switch (format) {
    case Csv:
        return csvFile();
    case Gpl:
        return Corvo::SwatchFormats::gplFile(QStringLiteral("Bench"), swatches());
    case Ase:
        return Corvo::SwatchFormats::aseFile(QStringLiteral("Bench"), swatches());
    case Cxf3:
        return cxf3File();
    }
    return {};
}

void importFile(benchmark::State &state, Format format, const char *name)
{
    QTemporaryDir folder;
    const QString input = folder.filePath(QString::fromLatin1(name));
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly) || file.write(fileOf(format)) < 0) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    file.close();
    const QString output = folder.filePath(QStringLiteral("imported.db"));
    for (auto _ : state) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        if (Tintwell::runCommandLine({QStringLiteral("import"), input, output}, outStream,
                                     errStream) != 0)
            state.SkipWithError(qPrintable(err));
    }
    state.counters["colours"] = kColours;
}

} // namespace

BENCHMARK_CAPTURE(importFile, csv, Csv, "deck.csv")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(importFile, gpl, Gpl, "deck.gpl")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(importFile, ase, Ase, "deck.ase")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(importFile, cxf3, Cxf3, "deck.cxf")->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    // Theme images are painted with fonts, which need a GUI application; no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
