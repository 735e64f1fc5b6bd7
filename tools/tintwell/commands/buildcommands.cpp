#include "tools/tintwell/cli/commandregistry.h"
#include "tools/tintwell/cli/invocation.h"
#include "tools/tintwell/demo/demodeck.h"
#include "tools/tintwell/model/deckwriter.h"
#include "tools/tintwell/source/sourcedeckreader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonObject>

namespace Tintwell {

namespace {

const QString kDemoFileName = QStringLiteral("velmora.db");
const QString kDemoOption = QStringLiteral("--demo");

QJsonObject figuresJson(const DeckFigures &figures)
{
    return QJsonObject{
        {QStringLiteral("collections"), figures.collections},
        {QStringLiteral("cards"), figures.cards},
        {QStringLiteral("chips"), figures.chips},
        {QStringLiteral("chipSchemeEntries"), figures.rowSchemeEntries},
        {QStringLiteral("cardSchemeEntries"), figures.pageSchemeEntries},
        {QStringLiteral("chipCardSchemeEntries"), figures.chipPageSchemeEntries},
        {QStringLiteral("trendEntries"), figures.vistaraEntries},
        {QStringLiteral("products"), figures.products},
        {QStringLiteral("textures"), figures.textures},
        {QStringLiteral("themeItems"), figures.themeItems},
        {QStringLiteral("translations"), figures.translations},
        {QStringLiteral("settings"), figures.settings},
    };
}

void report(Invocation &call, const QString &path, const DeckFigures &figures, qint64 elapsed)
{
    if (call.json()) {
        QJsonObject object = figuresJson(figures);
        object.insert(QStringLiteral("file"), QDir::toNativeSeparators(path));
        object.insert(QStringLiteral("milliseconds"), elapsed);
        call.printJson(QJsonDocument(object));
        return;
    }
    call.out() << "wrote " << QDir::toNativeSeparators(path) << " in " << elapsed << " ms\n"
               << "  collections " << figures.collections << ", cards " << figures.cards
               << ", chips " << figures.chips << '\n'
               << "  scheme entries: chip " << figures.rowSchemeEntries << ", card "
               << figures.pageSchemeEntries << ", chip-to-card " << figures.chipPageSchemeEntries
               << '\n'
               << "  trend entries " << figures.vistaraEntries << ", products " << figures.products
               << ", textures " << figures.textures << '\n'
               << "  theme items " << figures.themeItems << ", texts " << figures.translations
               << ", settings " << figures.settings << '\n';
    call.out().flush();
}

int writeDeck(Invocation &call, const DeckModel &deck, const QString &path,
              const QElapsedTimer &timer)
{
    DeckWriter writer;
    if (!writer.write(deck, path))
        return call.usageError(writer.lastError());
    report(call, path, writer.figures(), timer.elapsed());
    return ExitSuccess;
}

int buildDemo(Invocation &call, const QString &outDir, const QElapsedTimer &timer)
{
    const QString resources = QDir(outDir).filePath(QStringLiteral("Contents/Resources"));
    if (!QDir().mkpath(resources))
        return call.usageError(QStringLiteral("cannot create %1").arg(resources));
    return writeDeck(call, DemoDeck::build(), QDir(resources).filePath(kDemoFileName), timer);
}

int buildFromSource(Invocation &call, const QString &source, const QString &outFile,
                    const QElapsedTimer &timer)
{
    SourceDeckReader reader;
    const std::optional<DeckModel> deck = reader.read(source);
    if (!deck)
        return call.usageError(reader.lastError());
    return writeDeck(call, *deck, QFileInfo(outFile).absoluteFilePath(), timer);
}

int runBuild(Invocation &call)
{
    QElapsedTimer timer;
    timer.start();
    if (call.hasFlag(kDemoOption)) {
        if (call.arguments().size() != 1)
            return call.usageError(QStringLiteral("usage: tintwell build --demo OUTDIR"));
        return buildDemo(call, call.argument(0), timer);
    }
    if (call.arguments().size() != 2)
        return call.usageError(QStringLiteral("usage: tintwell build SOURCE OUTFILE"));
    return buildFromSource(call, call.argument(0), call.argument(1), timer);
}

const CommandRegistration build({QStringLiteral("build"),
                                 QStringLiteral("--demo OUTDIR | SOURCE OUTFILE"),
                                 QStringLiteral("writes the demo file set into "
                                                "OUTDIR/Contents/Resources, or a collection file "
                                                "from a source folder"),
                                 {},
                                 {kDemoOption},
                                 1,
                                 2,
                                 runBuild});

} // namespace

} // namespace Tintwell
