#pragma once

#include <QList>
#include <QRect>
#include <QSize>

#include <array>

namespace Corvo {

// Where the metallic deck's schemer draws its three chip groups, one under the other, each
// a caption line over a strip of chips, and the drag hint at the bottom.
class ColorSchemerLustrelLayout
{
public:
    static constexpr int kGroupCount = 3;
    // The groups from top to bottom.
    static constexpr int kWideContrast1 = 0;
    static constexpr int kWideContrast2 = 1;
    static constexpr int kContrast = 2;

    static constexpr int kMargin = 24;
    static constexpr int kTop = 8;
    static constexpr int kGroupGap = 6;
    static constexpr int kCaptionGap = 3;
    static constexpr int kMessageHeight = 32;
    static constexpr int kChipGap = 1;

    ColorSchemerLustrelLayout() = default;
    // lineHeight is the height of one line of the schemer's font.
    ColorSchemerLustrelLayout(const QSize &size, int lineHeight);

    QSize size() const { return m_size; }
    QRect captionRect(int group) const;
    QRect chipStrip(int group) const;
    QRect messageRect() const { return m_messageRect; }
    // `count` equal chips with 1 px gaps in a strip of `columns` places (at least `count`),
    // from its left edge; empty when a chip would have no width.
    static QList<QRect> chipRects(const QRect &strip, int count, int columns);

private:
    QSize m_size;
    std::array<QRect, kGroupCount> m_captions;
    std::array<QRect, kGroupCount> m_strips;
    QRect m_messageRect;
};

} // namespace Corvo
