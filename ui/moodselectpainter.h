#pragma once

#include "engine/db/selectiontypes.h"
#include "ui/moodselectlayout.h"

#include <QPixmap>
#include <QString>

#include <array>

class QPainter;

namespace Corvo {

inline constexpr int kMoodCount = 6;

// A collection's theme images for the mood widget; any of them may be null.
struct MoodSelectImages
{
    std::array<QPixmap, kMoodCount> normal;   // by mood - 1
    std::array<QPixmap, kMoodCount> selected; // by mood - 1
    QPixmap checkMark;
    QPixmap disabledMark;
};

struct MoodSelectTexts
{
    QString allMoods;
    QString exteriorColors;
    QString doNotShowMto;
};

// The selection the widget shows, as read from the preferences, and the collection's
// exterior cards.
struct MoodSelectState
{
    int mood = MoodAll;
    bool exterior = false;
    bool showMto = false;
    std::array<bool, kMoodCount> hasExteriorPage{}; // by mood - 1
    // The item the keyboard is on, when its focus is to be shown.
    MoodSelectLayout::Item focused = MoodSelectLayout::NoItem;

    // A mood without exterior cards cannot be chosen while the exterior filter is on.
    bool isMoodAvailable(int mood) const;
};

void paintMoodSelect(QPainter &painter, const MoodSelectLayout &layout,
                     const MoodSelectImages &images, const MoodSelectTexts &texts,
                     const MoodSelectState &state);

} // namespace Corvo
