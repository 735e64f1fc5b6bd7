#include "engine/colour/colormatching.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/colorpage.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/settings/collectionsettings.h"

#include <QColor>

#include <algorithm>
#include <cmath>

namespace Corvo {

namespace {

Lab labOf(const DB::LabSample &sample)
{
    return {sample.l, sample.a, sample.b};
}

// Stored channels outside 0 to 255 would make an invalid colour.
QColor shownColor(const DB::ColorEntry &entry)
{
    constexpr int channelMax = 255;
    return QColor(qBound(0, entry.red, channelMax), qBound(0, entry.green, channelMax),
                  qBound(0, entry.blue, channelMax));
}

void insertMatch(QList<ColorMatch> &matches, const ColorMatch &match, int count)
{
    // After every kept difference equal to this one, so that index order breaks ties.
    const auto position = std::upper_bound(
        matches.begin(), matches.end(), match.deltaE,
        [](double deltaE, const ColorMatch &kept) { return deltaE < kept.deltaE; });
    if (position - matches.begin() >= count)
        return;
    matches.insert(position, match);
    if (matches.size() > count)
        matches.removeLast();
}

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
    const Lab shown = labFromColor(shownColor(match.entry));
    const double threshold = CollectionSettings::deltaIntervals(currentCollection).value(0);
    if (!(deltaE2000(dropped, shown) < threshold))
        return std::nullopt;
    return match;
}

} // namespace

QList<ColorMatch> nearestColors(const Lab &reference, const QList<DB::LabSample> &index, int count)
{
    QList<ColorMatch> matches;
    if (count <= 0)
        return matches;
    matches.reserve(std::min<qsizetype>(count, index.size()) + 1);
    for (const DB::LabSample &sample : index) {
        const Lab lab = labOf(sample);
        // Once the list is full, a colour whose lower bound reaches the last kept
        // difference could only tie it or rank below it, and would not be kept.
        if (matches.size() == count &&
            deltaE2000LightnessBound(reference, lab) >= matches.last().deltaE)
            continue;
        const double deltaE = deltaE2000(reference, lab);
        if (std::isnan(deltaE))
            continue;
        insertMatch(matches, {deltaE, sample.rowId}, count);
    }
    return matches;
}

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
