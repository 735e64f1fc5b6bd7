#include "ui/colorschemerpainter.h"

#include "engine/palette/schemecomputation.h"
#include "ui/chiplook.h"

#include <QPainter>

#include <array>

namespace Corvo {

namespace {

const QColor kPlainCaption(188, 188, 188);
const QColor kMessageColour(188, 188, 188);
const QColor kSelectionColour(255, 255, 255, 224);
constexpr qreal kSelectionWidth = 2.0;
constexpr int kFaintGlowAlpha = 12;
constexpr int kNearGlowAlpha = 24;
constexpr int kCaptionFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

void paintButton(QPainter &painter, const SchemeButtonGeometry &button,
                 const SchemeButtonLook &look, bool selected)
{
    const QPixmap &picture = selected ? look.selected : look.normal;
    if (!picture.isNull())
        painter.drawPixmap(button.image, picture);
}

void paintCaptionText(QPainter &painter, const QRect &rect, int flags, const QString &text,
                      bool selected)
{
    if (selected) {
        paintGlowingText(painter, rect, flags, text);
        return;
    }
    painter.setPen(kPlainCaption);
    painter.drawText(rect, flags, text);
}

// The current sub-kind's caption, with a marker for it and one for the alternative.
void paintNeutralCaption(QPainter &painter, const QRect &caption, const ColorSchemerState &state,
                         bool groupSelected)
{
    const QString text = state.subKindCaptions.value(state.neutralSubKind);
    const int height =
        std::max(painter.fontMetrics().height(),
                 painter.fontMetrics().boundingRect(caption, kCaptionFlags, text).height());
    paintCaptionText(painter, caption, kCaptionFlags, text, groupSelected);
    const QList<int> subKinds =
        neutralCaptionSubKinds(state.neutralSubKind, state.offersAlternativeNeutral);
    const QList<QRect> markers =
        neutralMarkerRects(caption, height, static_cast<int>(subKinds.size()));
    for (int index = 0; index < markers.size(); ++index) {
        const bool current = subKinds.at(index) == state.neutralSubKind;
        const QPixmap &marker = current ? state.markerSelected : state.markerNormal;
        if (!marker.isNull())
            painter.drawPixmap(markers.at(index), marker);
    }
}

void paintChips(QPainter &painter, const QList<QRect> &rects, const QList<QColor> &colours)
{
    for (const QRect &chip : rects)
        paintChipShadow(painter, chip);
    for (int index = 0; index < rects.size(); ++index)
        paintChip(painter, rects.at(index), colours.value(index));
}

} // namespace

QList<int> neutralCaptionSubKinds(int current, bool offersAlternative)
{
    if (!offersAlternative)
        return {current};
    const int alternative = alternativeNeutralSubKind(current);
    return {std::min(current, alternative), std::max(current, alternative)};
}

int alternativeNeutralSubKind(int current)
{
    return current == kTonalNeutralScheme ? kComplementaryNeutralScheme : kTonalNeutralScheme;
}

QList<QRect> neutralMarkerRects(const QRect &caption, int textHeight, int count)
{
    const int gap = ColorSchemerLayout::kMarkerGap;
    const int rowWidth = count * kSchemeMarkerSize.width() + std::max(0, count - 1) * gap;
    const int left = caption.left() + (caption.width() - rowWidth) / 2;
    const int top = caption.top() + textHeight + gap;
    QList<QRect> rects;
    for (int index = 0; index < count; ++index)
        rects.append(QRect(QPoint(left + index * (kSchemeMarkerSize.width() + gap), top),
                           kSchemeMarkerSize));
    return rects;
}

void paintColorSchemer(QPainter &painter, const ColorSchemerLayout &layout,
                       const ColorSchemerState &state)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QList<SchemeButtonGeometry> &buttons = layout.buttons();
    for (int index = 0; index < buttons.size(); ++index) {
        const SchemeButtonGeometry &button = buttons.at(index);
        const SchemeButtonLook look = state.buttons.value(index);
        const bool selected = button.kind == state.currentKind;
        paintButton(painter, button, look, selected);
        if (button.kind == kNeutralSchemeGroup)
            paintNeutralCaption(painter, button.caption, state, selected);
        else
            paintCaptionText(painter, button.caption, kCaptionFlags, look.caption, selected);
    }
    paintChips(painter,
               layout.chipRects(static_cast<int>(state.chipColours.size()), state.chipsPerRow),
               state.chipColours);
    paintDragMessage(painter, layout.messageRect(), state.message);
}

void paintChipShadow(QPainter &painter, const QRect &chip)
{
    ChipLook::paintCardShadow(painter, chip);
}

void paintChip(QPainter &painter, const QRect &chip, const QColor &colour)
{
    painter.fillRect(chip, colour);
    ChipLook::paintCardOutline(painter, chip);
}

void paintChipSelection(QPainter &painter, const QRect &chip)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kSelectionColour, kSelectionWidth));
    // The stroke runs 1 px outside the chip, so it covers the two pixels around it.
    painter.drawRect(QRectF(chip).adjusted(-1, -1, 1, 1));
    painter.restore();
}

void paintDragMessage(QPainter &painter, const QRect &rect, const QString &message)
{
    painter.setPen(kMessageColour);
    const QString shown = painter.fontMetrics().elidedText(message, Qt::ElideRight, rect.width());
    // Drawn twice: the second pass firms up the antialiased edges on the dark background.
    for (int pass = 0; pass < 2; ++pass)
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

void paintGlowingText(QPainter &painter, const QRect &rect, int flags, const QString &text)
{
    static const std::array<QPoint, 12> faint = {
        QPoint(-2, -2), QPoint(2, -2), QPoint(-2, 2), QPoint(2, 2), QPoint(-1, -2), QPoint(1, -2),
        QPoint(-1, 2),  QPoint(1, 2),  QPoint(0, -2), QPoint(0, 2), QPoint(-2, 0),  QPoint(2, 0)};
    static const std::array<QPoint, 4> near = {QPoint(-1, -1), QPoint(1, -1), QPoint(-1, 1),
                                               QPoint(1, 1)};
    painter.setPen(QColor(255, 255, 255, kFaintGlowAlpha));
    for (const QPoint &offset : faint)
        painter.drawText(rect.translated(offset), flags, text);
    painter.setPen(QColor(255, 255, 255, kNearGlowAlpha));
    for (const QPoint &offset : near)
        painter.drawText(rect.translated(offset), flags, text);
    painter.setPen(QColor(255, 255, 255));
    for (int pass = 0; pass < 2; ++pass)
        painter.drawText(rect, flags, text);
}

} // namespace Corvo
