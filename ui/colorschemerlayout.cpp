#include "ui/colorschemerlayout.h"

#include "engine/palette/schemecomputation.h"

#include <algorithm>

namespace Corvo {

namespace {

bool insideEllipse(const QRect &bounds, const QPoint &point)
{
    if (bounds.width() <= 0 || bounds.height() <= 0)
        return false;
    // Pixel centres against the ellipse inscribed in the pixel bounds.
    const double rx = bounds.width() / 2.0;
    const double ry = bounds.height() / 2.0;
    const double dx = (point.x() + 0.5 - bounds.x() - rx) / rx;
    const double dy = (point.y() + 0.5 - bounds.y() - ry) / ry;
    return dx * dx + dy * dy <= 1.0;
}

} // namespace

ColorSchemerLayout::ColorSchemerLayout(const QSize &size, const QList<int> &kinds,
                                       const QSize &buttonSize,
                                       const SchemeCaptionMetrics &captions)
    : m_size(size)
{
    const int count = static_cast<int>(kinds.size());
    const int pitch = buttonSize.width() + kButtonSpacing;
    const int rowWidth = count * buttonSize.width() + std::max(0, count - 1) * kButtonSpacing;
    int x = (size.width() - rowWidth) / 2;
    const int captionTop = kButtonTop + buttonSize.height() + kCaptionGap;
    int captionBottom = captionTop;
    for (const int kind : kinds) {
        SchemeButtonGeometry button;
        button.kind = kind;
        button.image = QRect(QPoint(x, kButtonTop), buttonSize);
        button.hitEllipse = button.image.adjusted(kHitInset, kHitInset, -kHitInset, -kHitInset);
        const int left = button.image.center().x() + 1 - pitch / 2;
        if (kind == kNeutralSchemeGroup) {
            // The sub-kinds' captions are the longest: a marker's room more, either side.
            const int markerRoom = neutralCaptionWidth(buttonSize) - pitch;
            button.caption = QRect(left - markerRoom / 2, captionTop, pitch + markerRoom,
                                   captions.neutralCaptionHeight);
        } else {
            button.caption = QRect(left, captionTop, pitch, captions.captionHeight);
        }
        captionBottom = std::max(captionBottom, button.caption.bottom() + 1);
        m_buttons.append(button);
        x += pitch;
    }

    const int top = captionBottom + kChipAreaGap;
    const int bottom = size.height() - kMessageHeight;
    int height = std::max(0, bottom - top);
    height -= height % kMaxChipRows;
    const int width = std::max(0, size.width() - 2 * kChipAreaMargin);
    m_chipArea = QRect(kChipAreaMargin, top, width, height);
    m_messageRect = QRect(kChipAreaMargin, bottom, width, kMessageHeight);
}

int ColorSchemerLayout::captionWidth(const QSize &buttonSize)
{
    return buttonSize.width() + kButtonSpacing;
}

int ColorSchemerLayout::neutralCaptionWidth(const QSize &buttonSize)
{
    return captionWidth(buttonSize) + kSchemeMarkerSize.width() + kMarkerGap;
}

const SchemeButtonGeometry *ColorSchemerLayout::button(int kind) const
{
    for (const SchemeButtonGeometry &button : m_buttons) {
        if (button.kind == kind)
            return &button;
    }
    return nullptr;
}

int ColorSchemerLayout::kindAt(const QPoint &point) const
{
    for (const SchemeButtonGeometry &button : m_buttons) {
        if (insideEllipse(button.hitEllipse, point) || button.caption.contains(point))
            return button.kind;
    }
    return 0;
}

QList<QRect> ColorSchemerLayout::chipRects(int count, int chipsPerRow) const
{
    if (count <= 0 || chipsPerRow <= 0)
        return {};
    const int rows = std::min(kMaxChipRows, (count + chipsPerRow - 1) / chipsPerRow);
    const int rowHeight = (m_chipArea.height() - kMaxChipRows) / kMaxChipRows;
    const int chipWidth = (m_chipArea.width() - (chipsPerRow - 1) * kChipGap) / chipsPerRow;
    if (rowHeight <= 0 || chipWidth <= 0)
        return {};
    const int blockHeight = rows * rowHeight + (rows - 1) * kChipGap;
    const int rowWidth = chipsPerRow * chipWidth + (chipsPerRow - 1) * kChipGap;
    const int top = m_chipArea.top() + (m_chipArea.height() - blockHeight) / 2;
    const int left = m_chipArea.left() + (m_chipArea.width() - rowWidth) / 2;
    QList<QRect> rects;
    const int shown = std::min(count, rows * chipsPerRow);
    for (int index = 0; index < shown; ++index) {
        const int row = index / chipsPerRow;
        const int column = index % chipsPerRow;
        rects.append(QRect(left + column * (chipWidth + kChipGap),
                           top + row * (rowHeight + kChipGap), chipWidth, rowHeight));
    }
    return rects;
}

int chipIndexAt(const QList<QRect> &chips, const QPoint &point)
{
    for (int index = 0; index < chips.size(); ++index) {
        if (chips.at(index).contains(point))
            return index;
    }
    return -1;
}

} // namespace Corvo
