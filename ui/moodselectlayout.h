#pragma once

#include "engine/settings/collectionsettings.h"

#include <QFontMetrics>
#include <QLine>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace Corvo {

// The sizes the mood widget loads its theme images at.
inline constexpr QSize kMoodIconSize(23, 21);
inline constexpr QSize kCheckMarkSize(12, 11);
inline constexpr QSize kDisabledMarkSize(11, 11);

// A collection text wider than this is elided, so that a long translation cannot push the
// widget out of the picker's left column.
inline constexpr int kMaxMoodTextWidth = 200;

struct MoodSelectImageSizes
{
    QSize moodIcon = kMoodIconSize;
    QSize checkMark = kCheckMarkSize;
    QSize disabledMark = kDisabledMarkSize;
};

// How wide the item texts are and how high a line is, in the widget's font.
struct MoodSelectTextMetrics
{
    int allMoodsWidth = 0;
    int exteriorColorsWidth = 0;
    int doNotShowMtoWidth = 0;
    int lineHeight = 0;

    static MoodSelectTextMetrics measure(const QFontMetrics &metrics, const QString &allMoods,
                                         const QString &exteriorColors,
                                         const QString &doNotShowMto);
};

// Where the mood widget's items are: the six mood icons, the all-moods and exterior items
// and the separator lines of a normal card deck, or the single made-to-order item of a
// Lustrel deck. Painting, clicks, hover, tool tips and the keyboard all use this one value.
class MoodSelectLayout
{
public:
    // 1 to 7 are the mood filter values the items stand for.
    enum Item {
        NoItem = 0,
        FreshIcon = 1,
        WarmIcon = 2,
        CalmIcon = 3,
        RichIcon = 4,
        OffwhiteIcon = 5,
        NeutralIcon = 6,
        AllMoodsItem = 7,
        ExteriorItem = 8,
        MadeToOrderItem = 9
    };

    MoodSelectLayout() = default;
    MoodSelectLayout(CardType cardType, bool hasExteriorFilter, const MoodSelectImageSizes &images,
                     const MoodSelectTextMetrics &texts);

    bool isLustrel() const { return m_lustrel; }
    QSize size() const { return m_size; }
    // The items present, in reading order (the order the keyboard walks them).
    QList<Item> items() const { return m_items; }
    bool contains(Item item) const { return m_items.contains(item); }
    // Empty for an item that is not present.
    QRect rect(Item item) const;
    Item itemAt(const QPoint &point) const;
    QList<QLine> separators() const { return m_separators; }

    // Within an item: the check mark at its left, vertically centred, and the text space
    // right of the check-mark column.
    QRect checkMarkRect(Item item) const;
    QRect textRect(Item item) const;
    // The disabled mark in a mood icon's bottom-right corner.
    QRect disabledMarkRect(Item icon) const;

    static bool isMoodIcon(Item item) { return item >= FreshIcon && item <= NeutralIcon; }

private:
    void layOutNormal(bool hasExteriorFilter, const MoodSelectTextMetrics &texts);
    void layOutLustrel(const MoodSelectTextMetrics &texts);
    int itemWidth(int textWidth) const;
    int itemHeight(const MoodSelectTextMetrics &texts) const;
    void place(Item item, const QRect &rect);
    void shiftRight(int dx);

    bool m_lustrel = false;
    MoodSelectImageSizes m_images;
    QSize m_size;
    QList<Item> m_items;
    QRect m_rects[MadeToOrderItem + 1];
    QList<QLine> m_separators;
};

} // namespace Corvo
