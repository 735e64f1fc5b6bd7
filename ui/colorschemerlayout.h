#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace Corvo {

// The size scheme buttons and sub-kind markers are loaded at.
inline constexpr QSize kSchemeButtonSize(44, 44);
inline constexpr QSize kSchemeMarkerSize(9, 9);

// One scheme kind's button: its picture, its caption under it and the ellipse that
// answers a press.
struct SchemeButtonGeometry
{
    int kind = 0;
    QRect image;
    QRect caption;
    QRect hitEllipse;
};

// What the caption rows need: heights measured in the schemer's font.
struct SchemeCaptionMetrics
{
    // The tallest caption of the ordinary kinds, wrapped to a caption's width.
    int captionHeight = 0;
    // The neutral group's tallest sub-kind caption with the row of markers under it.
    int neutralCaptionHeight = 0;
};

// Where the colour schemer draws its buttons, captions, chips and drag hint, for a widget
// size and the kinds it shows. Painting, presses, drags and tool tips use this one value.
class ColorSchemerLayout
{
public:
    static constexpr int kButtonTop = 8;
    static constexpr int kButtonSpacing = 40;
    static constexpr int kHitInset = 6;
    static constexpr int kCaptionGap = 4;
    static constexpr int kMarkerGap = 4;
    static constexpr int kChipAreaMargin = 24;
    static constexpr int kChipAreaGap = 16;
    static constexpr int kMessageHeight = 32;
    static constexpr int kMaxChipRows = 3;
    static constexpr int kChipGap = 1;

    ColorSchemerLayout() = default;
    ColorSchemerLayout(const QSize &size, const QList<int> &kinds, const QSize &buttonSize,
                       const SchemeCaptionMetrics &captions);

    // The widths ordinary captions and the neutral group's sub-kind captions wrap to.
    static int captionWidth(const QSize &buttonSize);
    static int neutralCaptionWidth(const QSize &buttonSize);

    QSize size() const { return m_size; }
    const QList<SchemeButtonGeometry> &buttons() const { return m_buttons; }
    // The button of the kind; nothing when it is not shown.
    const SchemeButtonGeometry *button(int kind) const;
    // The kind whose ellipse or caption holds the point; 0 over none.
    int kindAt(const QPoint &point) const;
    QRect chipArea() const { return m_chipArea; }
    QRect messageRect() const { return m_messageRect; }
    // The first `count` chips (at most three rows) in rows of `chipsPerRow` equal chips
    // with 1 px gaps, fitted to the chip area's width, the block centred vertically. Empty
    // when a row would hold no chip or the area has no room.
    QList<QRect> chipRects(int count, int chipsPerRow) const;

private:
    QSize m_size;
    QList<SchemeButtonGeometry> m_buttons;
    QRect m_chipArea;
    QRect m_messageRect;
};

// The index of the rectangle holding the point; -1 when none does.
int chipIndexAt(const QList<QRect> &chips, const QPoint &point);

} // namespace Corvo
