#include "tools/tintwell/cli/commandregistry.h"
#include "tools/tintwell/cli/invocation.h"
#include "tools/tintwell/demo/demodeck.h"
#include "tools/tintwell/model/deckwriter.h"
#include "tools/tintwell/source/sourcedeckreader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <optional>

namespace Tintwell {

namespace {

const QString kDemoFileName = QStringLiteral("velmora.db");
const QString kNumberedFileName = QStringLiteral("velmora-%1.db");
const QString kDemoOption = QStringLiteral("--demo");
const QString kDemoUsage =
    QStringLiteral("usage: tintwell build --demo [--chips N] [--files N] OUTDIR");
const QString kChipsOption = QStringLiteral("--chips");
const QString kFilesOption = QStringLiteral("--files");
// Far beyond any real fan deck; keeps a typing slip from filling the disk.
constexpr int kMostChips = 200000;
constexpr int kMostFiles = 99;

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

struct WrittenFile
{
    QString path;
    DeckFigures figures;
    qint64 elapsed = 0;
};

QJsonObject fileJson(const WrittenFile &file)
{
    QJsonObject object = figuresJson(file.figures);
    object.insert(QStringLiteral("file"), QDir::toNativeSeparators(file.path));
    object.insert(QStringLiteral("milliseconds"), file.elapsed);
    return object;
}

void printFile(QTextStream &out, const WrittenFile &file)
{
    const DeckFigures &figures = file.figures;
    out << "wrote " << QDir::toNativeSeparators(file.path) << " in " << file.elapsed << " ms\n"
        << "  collections " << figures.collections << ", cards " << figures.cards << ", chips "
        << figures.chips << '\n'
        << "  scheme entries: chip " << figures.rowSchemeEntries << ", card "
        << figures.pageSchemeEntries << ", chip-to-card " << figures.chipPageSchemeEntries << '\n'
        << "  trend entries " << figures.vistaraEntries << ", products " << figures.products
        << ", textures " << figures.textures << '\n'
        << "  theme items " << figures.themeItems << ", texts " << figures.translations
        << ", settings " << figures.settings << '\n';
}

// One JSON object for one file; an array of them for a numbered file set.
int report(Invocation &call, const QList<WrittenFile> &files, bool numbered)
{
    if (call.json()) {
        QJsonArray array;
        for (const WrittenFile &file : files)
            array.append(fileJson(file));
        call.printJson(numbered ? QJsonDocument(array) : QJsonDocument(fileJson(files.first())));
        return ExitSuccess;
    }
    for (const WrittenFile &file : files)
        printFile(call.out(), file);
    call.out().flush();
    return ExitSuccess;
}

bool writeDeck(Invocation &call, const DeckModel &deck, const QString &path,
               const QElapsedTimer &timer, QList<WrittenFile> &written)
{
    DeckWriter writer;
    if (!writer.write(deck, path)) {
        call.usageError(writer.lastError());
        return false;
    }
    written.append({path, writer.figures(), timer.elapsed()});
    return true;
}

// A whole number within [1, most], or nothing.
std::optional<int> countOption(Invocation &call, const QString &option, int most)
{
    if (!call.hasValue(option))
        return 0;
    bool ok = false;
    const int count = call.value(option).toInt(&ok);
    if (!ok || count < 1 || count > most) {
        call.usageError(
            QStringLiteral("%1 needs a whole number from 1 to %2").arg(option).arg(most));
        return std::nullopt;
    }
    return count;
}

// One file, or files numbered from 01 with collections of their own, for a data folder
// of many collection files.
int writeDemoFiles(Invocation &call, const QString &resources, const DeckModel &deck, int files,
                   const QElapsedTimer &timer)
{
    QList<WrittenFile> written;
    if (files == 0) {
        if (!writeDeck(call, deck, QDir(resources).filePath(kDemoFileName), timer, written))
            return ExitBadUsage;
        return report(call, written, false);
    }
    for (int number = 1; number <= files; ++number) {
        const QString name = kNumberedFileName.arg(number, 2, 10, QLatin1Char('0'));
        if (!writeDeck(call, DemoDeck::numberedCopy(deck, number), QDir(resources).filePath(name),
                       timer, written))
            return ExitBadUsage;
    }
    return report(call, written, true);
}

int buildDemo(Invocation &call, const QString &outDir, const QElapsedTimer &timer)
{
    const std::optional<int> chips = countOption(call, kChipsOption, kMostChips);
    const std::optional<int> files = countOption(call, kFilesOption, kMostFiles);
    if (!chips || !files)
        return ExitBadUsage;
    const QString resources = QDir(outDir).filePath(QStringLiteral("Contents/Resources"));
    if (!QDir().mkpath(resources))
        return call.usageError(QStringLiteral("cannot create %1").arg(resources));
    return writeDemoFiles(call, resources, DemoDeck::build(*chips), *files, timer);
}

int buildFromSource(Invocation &call, const QString &source, const QString &outFile,
                    const QElapsedTimer &timer)
{
    SourceDeckReader reader;
    const std::optional<DeckModel> deck = reader.read(source);
    if (!deck)
        return call.usageError(reader.lastError());
    QList<WrittenFile> written;
    if (!writeDeck(call, *deck, QFileInfo(outFile).absoluteFilePath(), timer, written))
        return ExitBadUsage;
    return report(call, written, false);
}

int runBuild(Invocation &call)
{
    QElapsedTimer timer;
    timer.start();
    if (call.hasFlag(kDemoOption)) {
        if (call.arguments().size() != 1)
            return call.usageError(kDemoUsage);
        return buildDemo(call, call.argument(0), timer);
    }
    if (call.hasValue(kChipsOption) || call.hasValue(kFilesOption))
        return call.usageError(kDemoUsage);
    if (call.arguments().size() != 2)
        return call.usageError(QStringLiteral("usage: tintwell build SOURCE OUTFILE"));
    return buildFromSource(call, call.argument(0), call.argument(1), timer);
}

const CommandRegistration build({QStringLiteral("build"),
                                 QStringLiteral("--demo [--chips N] [--files N] OUTDIR | "
                                                "SOURCE OUTFILE"),
                                 QStringLiteral("writes the demo file set into "
                                                "OUTDIR/Contents/Resources (its main collection "
                                                "grown to N chips, or N files of their own "
                                                "collections), or a collection file from a "
                                                "source folder"),
                                 {kChipsOption, kFilesOption},
                                 {kDemoOption},
                                 1,
                                 2,
                                 runBuild});

} // namespace

} // namespace Tintwell
