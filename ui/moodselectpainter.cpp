#include "ui/moodselectpainter.h"

#include <QPainter>

namespace Corvo {

namespace {

constexpr qreal kFrameRadius = 7.0;
constexpr int kFrameLightening = 140;
const QColor kFrameColor(64, 64, 64);
const QColor kSeparatorColor(159, 159, 159);
const QColor kTextColor(188, 188, 188);
const QColor kFocusColor(188, 188, 188);
constexpr qreal kFocusRadius = 3.0;

using Item = MoodSelectLayout::Item;

void paintFrame(QPainter &painter, const QRect &area)
{
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(kFrameColor.lighter(kFrameLightening));
    painter.drawRoundedRect(area.adjusted(0, 0, -1, -1), kFrameRadius, kFrameRadius);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(kFrameColor);
    painter.drawRoundedRect(QRectF(area), kFrameRadius, kFrameRadius);
}

void paintSeparators(QPainter &painter, const MoodSelectLayout &layout)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(kSeparatorColor, 1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    for (const QLine &line : layout.separators())
        painter.drawLine(line);
}

void paintMoodIcons(QPainter &painter, const MoodSelectLayout &layout,
                    const MoodSelectImages &images, const MoodSelectState &state)
{
    for (Item item : layout.items()) {
        if (!MoodSelectLayout::isMoodIcon(item))
            continue;
        const int mood = item;
        const bool available = state.isMoodAvailable(mood);
        const bool selected = available && state.mood == mood;
        const QPixmap &icon = selected ? images.selected[mood - 1] : images.normal[mood - 1];
        if (!icon.isNull())
            painter.drawPixmap(layout.rect(item).topLeft(), icon);
        if (!available && !images.disabledMark.isNull())
            painter.drawPixmap(layout.disabledMarkRect(item).topLeft(), images.disabledMark);
    }
}

void paintTextItem(QPainter &painter, const MoodSelectLayout &layout, Item item,
                   const QString &text, bool checked, const QPixmap &checkMark)
{
    if (!layout.contains(item))
        return;
    if (checked && !checkMark.isNull())
        painter.drawPixmap(layout.checkMarkRect(item).topLeft(), checkMark);
    const QRect area = layout.textRect(item);
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, area.width());
    painter.setPen(kTextColor);
    // Twice at the same place: the thin interface face reads better on the dark frame.
    for (int pass = 0; pass < 2; ++pass)
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, shown);
}

void paintFocus(QPainter &painter, const MoodSelectLayout &layout, Item item)
{
    if (!layout.contains(item))
        return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFocusColor, 1));
    const QRectF ring =
        QRectF(layout.rect(item).adjusted(-1, -1, 1, 1)).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawRoundedRect(ring, kFocusRadius, kFocusRadius);
}

} // namespace

bool MoodSelectState::isMoodAvailable(int mood) const
{
    if (mood < 1 || mood > kMoodCount)
        return true;
    return !exterior || hasExteriorPage[mood - 1];
}

void paintMoodSelect(QPainter &painter, const MoodSelectLayout &layout,
                     const MoodSelectImages &images, const MoodSelectTexts &texts,
                     const MoodSelectState &state)
{
    painter.save();
    if (layout.isLustrel()) {
        paintTextItem(painter, layout, MoodSelectLayout::MadeToOrderItem, texts.doNotShowMto,
                      !state.showMto, images.checkMark);
    } else {
        paintFrame(painter, QRect(QPoint(0, 0), layout.size()));
        paintSeparators(painter, layout);
        paintMoodIcons(painter, layout, images, state);
        paintTextItem(painter, layout, MoodSelectLayout::AllMoodsItem, texts.allMoods,
                      state.mood == MoodAll, images.checkMark);
        paintTextItem(painter, layout, MoodSelectLayout::ExteriorItem, texts.exteriorColors,
                      state.exterior, images.checkMark);
    }
    paintFocus(painter, layout, state.focused);
    painter.restore();
}

} // namespace Corvo
