#include "ui/colorschemerlustrellayout.h"

#include <algorithm>

namespace Corvo {

ColorSchemerLustrelLayout::ColorSchemerLustrelLayout(const QSize &size, int lineHeight)
    : m_size(size)
{
    const int width = std::max(0, size.width() - 2 * kMargin);
    const int bottom = size.height() - kMessageHeight;
    const int room = std::max(0, bottom - kTop - (kGroupCount - 1) * kGroupGap);
    const int groupHeight = room / kGroupCount;
    const int captionHeight = std::min(lineHeight, groupHeight);
    const int stripHeight = std::max(0, groupHeight - captionHeight - kCaptionGap);
    for (int group = 0; group < kGroupCount; ++group) {
        const int top = kTop + group * (groupHeight + kGroupGap);
        m_captions[group] = QRect(kMargin, top, width, captionHeight);
        m_strips[group] = QRect(kMargin, top + groupHeight - stripHeight, width, stripHeight);
    }
    m_messageRect = QRect(kMargin, bottom, width, kMessageHeight);
}

QRect ColorSchemerLustrelLayout::captionRect(int group) const
{
    return group >= 0 && group < kGroupCount ? m_captions.at(group) : QRect();
}

QRect ColorSchemerLustrelLayout::chipStrip(int group) const
{
    return group >= 0 && group < kGroupCount ? m_strips.at(group) : QRect();
}

QList<QRect> ColorSchemerLustrelLayout::chipRects(const QRect &strip, int count, int columns)
{
    const int places = std::max(count, columns);
    if (count <= 0 || strip.height() <= 0)
        return {};
    const int chipWidth = (strip.width() - (places - 1) * kChipGap) / places;
    if (chipWidth <= 0)
        return {};
    QList<QRect> rects;
    for (int index = 0; index < count; ++index)
        rects.append(QRect(strip.left() + index * (chipWidth + kChipGap), strip.top(), chipWidth,
                           strip.height()));
    return rects;
}

} // namespace Corvo
