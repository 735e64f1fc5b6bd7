#pragma once

#include <QObject>

// The values of the user's selection, declared once for the engine and the picker (palette
// file formats are the palette's). Registered with the meta-object system, so that signal
// spies and queued connections can hold them.
namespace Corvo {
Q_NAMESPACE

enum Direction { Forward = 0, Backward = 1 };
Q_ENUM_NS(Direction)

// 1 to 6 are the MOOD rows. 7, "all moods", leaves out offwhite and neutral cards. 0 is never
// stored: it is the filter of a collection that offers no mood control, and admits every card.
enum Mood {
    MoodEvery = 0,
    MoodFresh = 1,
    MoodWarm = 2,
    MoodCalm = 3,
    MoodRich = 4,
    MoodOffwhite = 5,
    MoodNeutral = 6,
    MoodAll = 7
};
Q_ENUM_NS(Mood)

// Offwhite and neutral cards are pale: "all moods" leaves them out.
constexpr bool isPaleMood(int mood)
{
    return mood == MoodOffwhite || mood == MoodNeutral;
}

// Bit values; 0 means none chosen yet.
enum TabBarPage {
    PageOfColorSchemes = 1,
    PageOfProducts = 2,
    PageOfVistara = 4,
    PageOfTextures = 8
};
Q_ENUM_NS(TabBarPage)

enum SchemeKind {
    SchemeHarmonic = 1,
    SchemeContrast = 2,
    SchemeWideContrast = 3,
    SchemeDynamic = 4,
    SchemeDramatic = 5,
    SchemeNeutral = 6,
    SchemeTonalNeutral = 7,
    SchemeComplementaryNeutral = 8,
    SchemeNaturalNeutral = 9
};
Q_ENUM_NS(SchemeKind)

} // namespace Corvo
