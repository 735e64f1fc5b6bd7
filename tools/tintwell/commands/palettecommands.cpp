#include "engine/capsure/cxf3reader.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/mypalettemodel.h"
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

int runPalette(Tintwell::Invocation &call)
{
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
    return savePalette(call, palette);
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
    const QStringList names = readCxf3ObjectNames(file.read(kMaxCxf3Bytes));
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

const Tintwell::CommandRegistration palette({
    QStringLiteral("palette"),
    QStringLiteral("FILE [--save-xml OUT] [--save-text OUT]"),
    QStringLiteral("loads a palette file into a scratch palette, lists it and writes it back"),
    {kSaveXmlOption, kSaveTextOption},
    {},
    1,
    1,
    runPalette,
});

const Tintwell::CommandRegistration cxf3({
    QStringLiteral("cxf3"),
    QStringLiteral("FILE"),
    QStringLiteral("lists the colour names of a Capsure measurement file"),
    {},
    {},
    1,
    1,
    runCxf3,
});

} // namespace
