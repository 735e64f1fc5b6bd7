#include "ui/colorschemerlustrelpainter.h"

#include "ui/colorschemerpainter.h"

#include <QPainter>

namespace Corvo {

namespace {

const QColor kCaptionColour(188, 188, 188);
const QColor kSecondaryColour(99, 99, 99);
// Between a caption and its secondary text.
constexpr int kSecondaryGap = 8;

void paintCaption(QPainter &painter, const QRect &rect, const LustrelGroupLook &group)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    const QString caption = metrics.elidedText(group.caption, Qt::ElideRight, rect.width());
    painter.setPen(kCaptionColour);
    painter.drawText(rect, flags, caption);
    const int secondaryLeft = metrics.horizontalAdvance(caption) + kSecondaryGap;
    const QRect secondaryRect = rect.adjusted(secondaryLeft, 0, 0, 0);
    if (group.secondary.isEmpty() || secondaryRect.width() <= 0)
        return;
    painter.setPen(kSecondaryColour);
    painter.drawText(secondaryRect, flags,
                     metrics.elidedText(group.secondary, Qt::ElideRight, secondaryRect.width()));
}

} // namespace

QList<QRect> lustrelChipRects(const ColorSchemerLustrelLayout &layout, int group, int count,
                              int columns)
{
    return ColorSchemerLustrelLayout::chipRects(layout.chipStrip(group), count, columns);
}

void paintColorSchemerLustrel(QPainter &painter, const ColorSchemerLustrelLayout &layout,
                              const ColorSchemerLustrelState &state)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int group = 0; group < ColorSchemerLustrelLayout::kGroupCount; ++group) {
        const LustrelGroupLook &look = state.groups.at(group);
        paintCaption(painter, layout.captionRect(group), look);
        const QList<QRect> chips = lustrelChipRects(
            layout, group, static_cast<int>(look.chipColours.size()), state.columns);
        for (const QRect &chip : chips)
            paintChipShadow(painter, chip);
        for (int index = 0; index < chips.size(); ++index)
            paintChip(painter, chips.at(index), look.chipColours.at(index));
        for (const int index : look.selectedChips) {
            if (index >= 0 && index < chips.size())
                paintChipSelection(painter, chips.at(index));
        }
    }
    paintDragMessage(painter, layout.messageRect(), state.message);
}

} // namespace Corvo
