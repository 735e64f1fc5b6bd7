#include "engine/palette/droppedcolormatch.h"

#include "engine/colour/colormatching.h"
#include "engine/colour/colorscience.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/colorpage.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/settings/collectionsettings.h"

#include <QColor>

namespace Corvo {

namespace {

std::optional<DroppedColorMatch> namedChip(const QVariantMap &payload)
{
    if (!payload.contains(ChipPayloadKey::collectionUuid) ||
        !payload.contains(ChipPayloadKey::colorId))
        return std::nullopt;
    DroppedColorMatch match;
    if (!decodeChip(payload, match.collection, match.entry))
        return std::nullopt;
    DB::ColorPage page;
    if (DB::pageById(match.collection, match.entry.pageId, true, page) != DB::Ok)
        return std::nullopt;
    return match;
}

std::optional<DroppedColorMatch> chipByCode(const QString &code)
{
    DroppedColorMatch match;
    if (DB::findRowByCode(code, match.entry, &match.collection) != DB::Ok)
        return std::nullopt;
    return match;
}

std::optional<DroppedColorMatch> chipByRgb(const QColor &color)
{
    DroppedColorMatch match;
    if (DB::findRowByRgb(color, match.entry, &match.collection) != DB::Ok)
        return std::nullopt;
    return match;
}

std::optional<DroppedColorMatch> nearestChip(const QColor &color, const QUuid &currentCollection,
                                             const QList<DB::LabSample> &currentIndex)
{
    const Lab dropped = labFromColor(color);
    const QList<ColorMatch> nearest = nearestColors(dropped, currentIndex, 1);
    if (nearest.isEmpty())
        return std::nullopt;
    DroppedColorMatch match{currentCollection, {}};
    if (DB::rowById(currentCollection, nearest.first().rowId, match.entry) != DB::Ok)
        return std::nullopt;
    // Judged by the chip's displayed colour, not its stored CIELAB values.
    const Lab shown = labFromColor(DB::chipColor(match.entry));
    const double threshold = CollectionSettings::deltaIntervals(currentCollection).value(0);
    if (!(deltaE2000(dropped, shown) < threshold))
        return std::nullopt;
    return match;
}

} // namespace

std::optional<DroppedColorMatch> matchDroppedColor(const QVariantMap &payload,
                                                   const QUuid &currentCollection,
                                                   const QList<DB::LabSample> &currentIndex)
{
    if (auto chip = namedChip(payload))
        return chip;
    const std::optional<QColor> color = decodeColor(payload);
    if (!color)
        return std::nullopt;
    const ChipNames names = decodeNames(payload);
    if (auto chip = chipByCode(names.name1))
        return chip;
    if (auto chip = chipByCode(names.name2))
        return chip;
    if (auto chip = chipByRgb(*color))
        return chip;
    return nearestChip(*color, currentCollection, currentIndex);
}

} // namespace Corvo
