#pragma once

#include "engine/db/selectiontypes.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QUuid>
#include <QVariant>

namespace Corvo {

enum class CardType : int { Unknown = 0, Normal = 1, Lustrel = 2 };
enum class SegmentOrientation : int { Unknown = 0, Clockwise = 1, CounterClockwise = 2 };
enum class CardMode : int { None = 0, ColorToColor = 1, ColorToCard = 2, CardToCard = 3 };
enum class MoodMode : int { None = 0, Normal = 1, WarmFreshEquals = 2 };
enum class ProductGroupsMode : int { GroupsWithProductTooltip = 0, Products = 1 };

// Tab pages as bits of a set.
namespace TabPage {
inline constexpr int ColorSchemes = PageOfColorSchemes;
inline constexpr int Products = PageOfProducts;
inline constexpr int Vistara = PageOfVistara;
inline constexpr int Textures = PageOfTextures;
} // namespace TabPage

// Typed access to a collection's SETTING rows: names, spellings, defaults and parsing
// live here and nowhere else. Values of the current collection are cached, because the
// widgets ask for card type, tool-tip flags and wheel geometry on every paint.
class CollectionSettings
{
public:
    // Makes the collection the owner of the cache; a change of owner empties it.
    static void setCurrentCollection(const QUuid &uuid);
    // Empties the cache and forgets its owner.
    static void resetCache();
    // Grows whenever the cache is emptied, so that what is derived from a collection's
    // settings elsewhere (the chip labels' name orders) can tell it must be read afresh.
    static quint64 cacheGeneration();

    static int maxChipsOnAPage(const QUuid &uuid);
    static CardType cardType(const QUuid &uuid);
    static int numOfSegments(const QUuid &uuid);
    static double firstSegmentAngle(const QUuid &uuid);
    static SegmentOrientation segmentOrientation(const QUuid &uuid);
    static CardMode cardMode(const QUuid &uuid);
    static MoodMode moodMode(const QUuid &uuid);
    static bool hasExteriorFilter(const QUuid &uuid);
    static bool moodVisible(const QUuid &uuid);
    static ProductGroupsMode productGroupsMode(const QUuid &uuid);
    static QString productSeparator(const QUuid &uuid);
    static bool hasColorSchemesPage(const QUuid &uuid);
    // Scheme kinds 1 to 9 in stored order; 0 for a text that names none.
    static QList<int> schemes(const QUuid &uuid);
    static bool showCardName(const QUuid &uuid);
    static bool showColorName(const QUuid &uuid);
    static bool showColorCode(const QUuid &uuid);
    static bool showAuxiliary(const QUuid &uuid);
    static bool showCollectionName(const QUuid &uuid);
    static bool showPageIndex(const QUuid &uuid);
    static bool showRowIndex(const QUuid &uuid);
    static bool appendProductCode(const QUuid &uuid);
    // Positive CIEDE2000 thresholds in order; [0.05] when none.
    static QList<double> deltaIntervals(const QUuid &uuid);
    // The CIEDE2000 limits below which a project colour is an exact, a close and a near
    // match of a chip: three increasing positive numbers, [0.5, 2, 5] when the setting does
    // not give them.
    static QList<double> verdictLimits(const QUuid &uuid);
    // Always starts with the colour schemes page.
    static QList<int> tabBarPages(const QUuid &uuid);
    static QSize vistaraChipSize(const QUuid &uuid);
    static QString headerLink(const QUuid &uuid);
    static QString helpLink(const QUuid &uuid);
    static QSize textureSize(const QUuid &uuid, const QSize &defaultSize);
    static bool savePaletteTextFormat(const QUuid &uuid, bool defaultValue);
    static bool capsureEnabled(const QUuid &uuid);
    static QString capsureFileNameToWatch(const QUuid &uuid);
    static QString capsureFolderToWatch(const QUuid &uuid);

    // Bit set of the tab pages the collection offers.
    static int availableTabBarPages(const QUuid &uuid);
    // Whether the collection has an exterior card of that mood; true when unavailable.
    static bool hasPageWithExteriorMood(const QUuid &uuid, int mood);
};

} // namespace Corvo
