#include "engine/colour/colorscience.h"
#include "engine/colour/colorvalue.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/nearestchips.h"
#include "tools/tintwell/cli/commandregistry.h"
#include "tools/tintwell/cli/invocation.h"

#include <QJsonArray>
#include <QJsonObject>

#include <optional>

// The chips nearest to a colour by CIEDE2000, in one collection or in every offered one:
// what the search bar goes to for a typed colour and what a chip's similar colours list.
namespace {

using namespace Corvo;

const QString kRgbOption = QStringLiteral("--rgb");
const QString kCountOption = QStringLiteral("--count");
const QString kAllFlag = QStringLiteral("--all");
constexpr int kDefaultCount = 5;
constexpr int kShownDecimals = 4;

std::optional<QColor> askedColor(Tintwell::Invocation &call)
{
    if (!call.hasValue(kRgbOption)) {
        call.usageError(QStringLiteral("--rgb R,G,B is required"));
        return std::nullopt;
    }
    const std::optional<QColor> color = colorFromText(call.value(kRgbOption));
    if (!color)
        call.usageError(QStringLiteral("--rgb takes three channels from 0 to 255, R,G,B, not "
                                       "\"%1\"")
                            .arg(call.value(kRgbOption)));
    return color;
}

std::optional<int> chipCount(Tintwell::Invocation &call)
{
    if (!call.hasValue(kCountOption))
        return kDefaultCount;
    bool ok = false;
    const int count = call.value(kCountOption).trimmed().toInt(&ok);
    if (!ok || count < 1) {
        call.usageError(QStringLiteral("--count needs a whole number from 1, not \"%1\"")
                            .arg(call.value(kCountOption)));
        return std::nullopt;
    }
    return count;
}

// The collection named, or with --all every offered one; 0, or the exit code after
// reporting why not.
int searchedCollections(Tintwell::Invocation &call, QList<QUuid> &collections)
{
    const bool all = call.hasFlag(kAllFlag);
    if (!all && call.argument(0).isEmpty())
        return call.usageError(QStringLiteral("name a collection, or give --all"));
    QUuid named;
    const int status = call.argument(0).isEmpty() ? call.loadDataFolder()
                                                  : call.resolveCollection(call.argument(0), named);
    if (status != Tintwell::ExitSuccess)
        return status;
    collections = all ? DB::orderedCollections() : QList<QUuid>{named};
    return Tintwell::ExitSuccess;
}

QJsonObject chipJson(const DB::NearestChip &chip)
{
    const DB::ColorEntry &entry = chip.entry;
    return QJsonObject{
        {"collection", chip.collection.toString(QUuid::WithBraces)},
        {"pageIndex", chip.pageIndex},
        {"rowIndex", entry.rowIndex},
        {"rowId", entry.id},
        {"code", entry.code},
        {"rgb", QJsonArray{entry.red, entry.green, entry.blue}},
        {"deltaE", chip.deltaE},
    };
}

void printChip(QTextStream &out, const DB::NearestChip &chip)
{
    const DB::ColorEntry &entry = chip.entry;
    out << QString::number(chip.deltaE, 'f', kShownDecimals) << "  " << entry.code << "  "
        << DB::chipColor(entry).name().toUpper() << "  card " << chip.pageIndex << " chip "
        << entry.rowIndex << "  (row " << entry.id << ", collection "
        << chip.collection.toString(QUuid::WithBraces) << ")\n";
}

int runNearest(Tintwell::Invocation &call)
{
    QList<QUuid> collections;
    if (const int status = searchedCollections(call, collections))
        return status;
    const std::optional<QColor> color = askedColor(call);
    if (!color)
        return Tintwell::ExitBadUsage;
    const std::optional<int> count = chipCount(call);
    if (!count)
        return Tintwell::ExitBadUsage;

    const QList<DB::NearestChip> chips =
        DB::nearestChips(collections, labFromColor(*color), *count);
    if (call.json()) {
        QJsonArray array;
        for (const DB::NearestChip &chip : chips)
            array.append(chipJson(chip));
        call.printJson(QJsonDocument(array));
    } else {
        for (const DB::NearestChip &chip : chips)
            printChip(call.out(), chip);
    }
    if (chips.isEmpty() && !call.json())
        return call.fail(Tintwell::ExitNotFound, QStringLiteral("no chips to compare with"));
    return chips.isEmpty() ? Tintwell::ExitNotFound : Tintwell::ExitSuccess;
}

const Tintwell::CommandRegistration nearest({
    QStringLiteral("nearest"),
    QStringLiteral("C --rgb R,G,B [--count N] [--all]"),
    QStringLiteral("lists the chips nearest to a colour in C, or with --all (C optional) in "
                   "every offered collection"),
    {kRgbOption, kCountOption},
    {kAllFlag},
    0,
    1,
    runNearest,
});

} // namespace
