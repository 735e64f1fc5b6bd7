#include "engine/capsure/cxf3reader.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/palette/paletteinterchange.h"
#include "engine/palette/scratchpalettestore.h"
#include "tools/tintwell/cli/commandregistry.h"
#include "tools/tintwell/cli/invocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

// Palette files and Capsure measurements as the picker reads them. A palette is loaded
// into a scratch palette, so the user's own palette and preferences stay untouched.
namespace {

using namespace Corvo;

const QString kSaveXmlOption = QStringLiteral("--save-xml");
const QString kSaveTextOption = QStringLiteral("--save-text");
const QString kMeasurementsOption = QStringLiteral("--measurements");
const QString kExportOption = QStringLiteral("--export");
const QString kExportFormats = QStringLiteral("gpl|ase|css|csv");

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString braced(const QUuid &uuid)
{
    return uuid.toString(QUuid::WithBraces).toUpper();
}

// The code of a cell's chip, read afresh; empty when it can no longer be read.
QString cellCode(const PaletteCell &cell)
{
    DB::ColorEntry entry;
    return DB::rowById(cell.collection, cell.rowId, entry) == DB::Ok ? entry.code : QString();
}

QJsonObject cellJson(const QPoint &position, const PaletteCell &cell)
{
    return QJsonObject{
        {"row", position.y()},
        {"col", position.x()},
        {"collection", braced(cell.collection)},
        {"pageId", cell.pageId},
        {"rowId", cell.rowId},
        {"code", cellCode(cell)},
        {"rgb", QJsonArray{cell.color.red(), cell.color.green(), cell.color.blue()}},
        {"label", cell.label},
    };
}

void printPalette(Tintwell::Invocation &call, const MyPaletteModel &palette)
{
    QJsonArray cells;
    if (!call.json())
        call.out() << "Description: " << palette.description() << '\n';
    for (int row = 0; row < palette.rowCount(); ++row) {
        for (int column = 0; column < palette.columnCount(); ++column) {
            const PaletteCell cell = palette.cell(QPoint(column, row));
            if (!cell.isFilled())
                continue;
            if (call.json()) {
                cells.append(cellJson(QPoint(column, row), cell));
                continue;
            }
            call.out() << "row " << row << " col " << column << "  "
                       << cell.color.name(QColor::HexRgb).toUpper() << "  " << cell.label << "  "
                       << braced(cell.collection) << '\n';
        }
    }
    if (call.json())
        call.printJson(
            QJsonDocument(QJsonObject{{"description", palette.description()}, {"cells", cells}}));
    else if (palette.isEmpty())
        call.out() << "No chip of the file is installed.\n";
}

int savePalette(Tintwell::Invocation &call, const MyPaletteModel &palette)
{
    if (call.hasValue(kSaveXmlOption) &&
        !palette.savePaletteTo(PaletteFileFormat::Xml, call.value(kSaveXmlOption)))
        return call.fail(
            Tintwell::ExitBadUsage,
            QStringLiteral("cannot write %1").arg(nativePath(call.value(kSaveXmlOption))));
    if (!call.hasValue(kSaveTextOption))
        return Tintwell::ExitSuccess;
    const QString textPath = call.value(kSaveTextOption);
    // As in the picker, a list without lines is not written at all.
    if (palette.isEmpty()) {
        if (!call.json())
            call.out() << "Nothing to list: " << nativePath(textPath) << " was not written.\n";
        return Tintwell::ExitSuccess;
    }
    if (!palette.savePaletteTo(PaletteFileFormat::Text, textPath))
        return call.fail(Tintwell::ExitBadUsage,
                         QStringLiteral("cannot write %1").arg(nativePath(textPath)));
    return Tintwell::ExitSuccess;
}

// The interchange format "--export" names and its output path (the second argument),
// or the exit code after reporting bad usage. Without "--export" there is no second argument.
int exportRequest(Tintwell::Invocation &call, std::optional<PaletteFileFormat> &format)
{
    if (!call.hasValue(kExportOption)) {
        if (call.arguments().size() > 1)
            return call.usageError(QStringLiteral("%1 names no output without %2")
                                       .arg(call.argument(1), kExportOption));
        return Tintwell::ExitSuccess;
    }
    format = interchangeFormatNamed(call.value(kExportOption));
    if (!format)
        return call.usageError(QStringLiteral("unknown export format \"%1\" (one of %2)")
                                   .arg(call.value(kExportOption), kExportFormats));
    if (call.argument(1).isEmpty())
        return call.usageError(QStringLiteral("%1 needs an output file").arg(kExportOption));
    return Tintwell::ExitSuccess;
}

int exportPalette(Tintwell::Invocation &call, const MyPaletteModel &palette,
                  PaletteFileFormat format)
{
    const QString outPath = call.argument(1);
    if (!palette.savePaletteTo(format, outPath))
        return call.fail(Tintwell::ExitBadUsage,
                         QStringLiteral("cannot write %1").arg(nativePath(outPath)));
    return Tintwell::ExitSuccess;
}

int runPalette(Tintwell::Invocation &call)
{
    std::optional<PaletteFileFormat> exportFormat;
    if (const int status = exportRequest(call, exportFormat))
        return status;
    if (const int status = call.loadDataFolder())
        return status;
    const QString path = call.argument(0);
    if (!QFileInfo(path).isFile() || !QFileInfo(path).isReadable())
        return call.usageError(QStringLiteral("cannot read %1").arg(nativePath(path)));
    MyPaletteModel palette(std::make_unique<ScratchPaletteStore>());
    if (!palette.loadPaletteFrom(path))
        return call.usageError(
            QStringLiteral("%1 is not a palette file of version 2.0 or 3.0 that can be read here")
                .arg(nativePath(path)));
    printPalette(call, palette);
    if (const int status = savePalette(call, palette))
        return status;
    return exportFormat ? exportPalette(call, palette, *exportFormat) : Tintwell::ExitSuccess;
}

QJsonValue textOrNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

QJsonObject measurementJson(const Cxf3Measurement &measurement)
{
    const QJsonValue lab =
        measurement.lab
            ? QJsonValue(QJsonArray{measurement.lab->l, measurement.lab->a, measurement.lab->b})
            : QJsonValue();
    const QJsonValue rgb = measurement.rgb
                               ? QJsonValue(QJsonArray{measurement.rgb->red, measurement.rgb->green,
                                                       measurement.rgb->blue})
                               : QJsonValue();
    return QJsonObject{
        {"name", measurement.name},
        {"lab", lab},
        {"rgb", rgb},
        {"illuminant", textOrNull(measurement.illuminant)},
        {"observer", textOrNull(measurement.observer)},
    };
}

QString valuesText(const char *label, double first, double second, double third)
{
    return QStringLiteral("  %1 %2 %3 %4")
        .arg(QString::fromLatin1(label))
        .arg(first, 0, 'g', 10)
        .arg(second, 0, 'g', 10)
        .arg(third, 0, 'g', 10);
}

QString measurementLine(const Cxf3Measurement &measurement)
{
    QString line = measurement.name.isEmpty() ? QStringLiteral("(no name)") : measurement.name;
    if (measurement.lab) {
        line += valuesText("Lab", measurement.lab->l, measurement.lab->a, measurement.lab->b);
        QStringList conditions{measurement.illuminant, measurement.observer};
        conditions.removeAll(QString());
        if (!conditions.isEmpty())
            line += QStringLiteral(" (%1)").arg(conditions.join(QLatin1Char(' ')));
    }
    if (measurement.rgb)
        line +=
            valuesText("sRGB", measurement.rgb->red, measurement.rgb->green, measurement.rgb->blue);
    return line;
}

int printMeasurements(Tintwell::Invocation &call, const QByteArray &bytes, const QString &path)
{
    const QList<Cxf3Measurement> measurements = readCxf3Measurements(bytes);
    if (call.json()) {
        QJsonArray objects;
        for (const Cxf3Measurement &measurement : measurements)
            objects.append(measurementJson(measurement));
        call.printJson(QJsonDocument(objects));
    } else {
        for (const Cxf3Measurement &measurement : measurements)
            call.out() << measurementLine(measurement) << '\n';
    }
    if (measurements.isEmpty())
        return call.fail(Tintwell::ExitNotFound,
                         QStringLiteral("no CxF3 objects in %1").arg(nativePath(path)));
    return Tintwell::ExitSuccess;
}

int printNames(Tintwell::Invocation &call, const QByteArray &bytes, const QString &path)
{
    const QStringList names = readCxf3ObjectNames(bytes);
    if (call.json())
        call.printJson(QJsonDocument(QJsonArray::fromStringList(names)));
    else
        for (const QString &name : names)
            call.out() << name << '\n';
    if (names.isEmpty())
        return call.fail(Tintwell::ExitNotFound,
                         QStringLiteral("no CxF3 object names in %1").arg(nativePath(path)));
    return Tintwell::ExitSuccess;
}

int runCxf3(Tintwell::Invocation &call)
{
    const QString path = call.argument(0);
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return call.usageError(QStringLiteral("cannot read %1").arg(nativePath(path)));
    if (file.size() > kMaxCxf3Bytes)
        return call.usageError(QStringLiteral("%1 is larger than any measurement file (%2 bytes)")
                                   .arg(nativePath(path))
                                   .arg(kMaxCxf3Bytes));
    const QByteArray bytes = file.read(kMaxCxf3Bytes);
    if (call.hasFlag(kMeasurementsOption))
        return printMeasurements(call, bytes, path);
    return printNames(call, bytes, path);
}

const Tintwell::CommandRegistration palette({
    QStringLiteral("palette"),
    QStringLiteral("FILE [--save-xml OUT] [--save-text OUT] [--export gpl|ase|css|csv OUT]"),
    QStringLiteral("loads a palette file into a scratch palette, lists it, writes it back and "
                   "exports it for other programs"),
    {kSaveXmlOption, kSaveTextOption, kExportOption},
    {},
    1,
    2,
    runPalette,
});

const Tintwell::CommandRegistration cxf3({
    QStringLiteral("cxf3"),
    QStringLiteral("FILE [--measurements]"),
    QStringLiteral("lists the colour names (or every object's colour values) of a Capsure "
                   "measurement file"),
    {},
    {kMeasurementsOption},
    1,
    1,
    runCxf3,
});

} // namespace
