#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace Corvo {

// The sizes the trend view is laid out with.
struct VistaraMetrics
{
    // The collection's chip size.
    QSize chip;
    // The open and closed images of the group headers.
    QSize headerImage;
    // Line heights of the entries' first (base font) and second (italic) texts.
    int lineHeight = 0;
    int italicLineHeight = 0;
};

// The single-line widths of an entry's two texts; nothing for an empty text, which takes
// no line.
struct VistaraItemTexts
{
    std::optional<int> first;
    std::optional<int> second;
};

struct VistaraLayoutGroup
{
    qint64 id = 0;
    bool open = false;
    QList<VistaraItemTexts> items;
};

// One shown entry: where its chip and texts are. Texts absent from the entry have null
// rectangles.
struct VistaraItemGeometry
{
    int group = 0;
    int entry = 0;
    QRect item;
    QRect chip;
    QRect firstText;
    QRect secondText;
};

// Where the trend view's groups, headers and chips are for a width: groups stacked, each a
// header row and, when open, its entries flowing left to right and wrapping. Painting, the
// viewport's height, presses, drags and tool tips all use this one value.
class VistaraLayout
{
public:
    static constexpr int kMargin = 6;
    // The header row is as high as its image plus this.
    static constexpr int kHeaderPadding = 9;
    static constexpr int kImageNameGap = 6;
    static constexpr int kItemSpacing = 5;
    static constexpr int kRowSpacing = 10;
    static constexpr int kGroupSpacing = 10;
    static constexpr int kChipTextGap = 3;
    // Texts keep this far from their item's sides, so that neighbours' texts never touch.
    static constexpr int kTextInset = 4;
    // An entry is at most this many chips wide; longer texts are cut.
    static constexpr int kMaxItemWidthInChips = 2;

    VistaraLayout() = default;
    VistaraLayout(int width, const VistaraMetrics &metrics,
                  const QList<VistaraLayoutGroup> &groups);

    int width() const { return m_width; }
    int groupCount() const { return static_cast<int>(m_headers.size()); }
    qint64 groupId(int group) const { return m_groupIds.value(group, -1); }
    // Empty outside.
    QRect headerRect(int group) const;
    QRect headerImageRect(int group) const;
    QRect headerNameRect(int group) const;
    const QList<VistaraItemGeometry> &items() const { return m_items; }
    // The group whose header is under the point; -1 over none.
    int headerAt(const QPoint &point) const;
    // The index in items() of the chip under the point; -1 over none.
    int itemAt(const QPoint &point) const;
    // The viewport's height: every group with the space after it.
    int contentHeight() const { return m_contentHeight; }

private:
    // Lays out one open group's entries from `top`; returns the bottom of its last row.
    int flowItems(int group, const VistaraLayoutGroup &source, const VistaraMetrics &metrics,
                  int top);

    int m_width = 0;
    QList<qint64> m_groupIds;
    QList<QRect> m_headers;
    QList<QRect> m_headerImages;
    QList<QRect> m_headerNames;
    QList<VistaraItemGeometry> m_items;
    int m_contentHeight = 0;
};

} // namespace Corvo
