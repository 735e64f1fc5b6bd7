#include "ui/cardrollerpainter.h"

#include "ui/chiplook.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

namespace Corvo {

namespace {

const QColor kFrameColor(64, 64, 64);
const QColor kTitleColor(255, 255, 255);
const QColor kSelectionColor(255, 255, 255, 224);
const QColor kFocusColor(119, 173, 216, 192);
// The focus ring follows the outer shadow ring's corners.
constexpr qreal kFocusRadius = 3.0;
constexpr int kChipOutlineLightness = 150;
constexpr int kChipOutlineAlpha = 32;
constexpr qreal kSelectionWidth = 2.0;

void paintTitle(QPainter &painter, const QRect &titleRect, const QString &title)
{
    painter.setPen(kTitleColor);
    const QString shown = fittedCardTitle(title, painter.fontMetrics(), titleRect.width());
    painter.drawText(titleRect, Qt::AlignCenter | Qt::TextSingleLine, shown);
}

void paintMadeToOrderMark(QPainter &painter, const QRect &chip, const QPixmap &picture)
{
    if (picture.isNull())
        return;
    const QSize fitted =
        picture.deviceIndependentSize().toSize().scaled(chip.size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), fitted);
    target.moveCenter(chip.center());
    painter.drawPixmap(target, picture);
}

void paintChips(QPainter &painter, const QList<QRect> &rects, const DB::ColorPage &page,
                const CardRollerState &state)
{
    for (int row = 0; row < rects.size(); ++row) {
        const QRect &chip = rects.at(row);
        const DB::ColorEntry &entry = page.rows.at(row);
        const QColor colour = DB::chipColor(entry);
        painter.fillRect(chip, colour);
        if (state.isHidden(entry))
            paintMadeToOrderMark(painter, chip, state.madeToOrderPicture);
        QColor outline = colour.lighter(kChipOutlineLightness);
        outline.setAlpha(kChipOutlineAlpha);
        painter.setPen(outline);
        painter.drawRect(ChipLook::outline(chip));
        if (row + 1 < rects.size()) {
            painter.setPen(kFrameColor);
            const int y = chip.bottom() + 1;
            painter.drawLine(chip.left(), y, chip.right(), y);
        }
    }
}

void paintSelection(QPainter &painter, const QRect &chip)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kSelectionColor, kSelectionWidth));
    // The stroke runs 1 px outside the chip, so it covers the two pixels around it.
    painter.drawRect(QRectF(chip).adjusted(-1, -1, 1, 1));
}

void paintFocus(QPainter &painter, const QRect &card)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFocusColor, 1.0));
    painter.drawRoundedRect(QRectF(card).adjusted(-1.5, -1.5, 1.5, 1.5), kFocusRadius,
                            kFocusRadius);
}

} // namespace

QString fittedCardTitle(const QString &title, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(title) <= width)
        return title;
    static const QRegularExpression endingNumber(QStringLiteral("^(.*\\S)\\s+(\\S*\\d\\S*)$"));
    const QRegularExpressionMatch match = endingNumber.match(title);
    if (!match.hasMatch())
        return metrics.elidedText(title, Qt::ElideMiddle, width);
    const QString number = match.captured(2);
    const QString spacedNumber = QLatin1Char(' ') + number;
    const int room = width - metrics.horizontalAdvance(spacedNumber);
    const QString words =
        room > 0 ? metrics.elidedText(match.captured(1), Qt::ElideRight, room) : QString();
    if (!words.isEmpty())
        return words + spacedNumber;
    return metrics.horizontalAdvance(number) <= width
               ? number
               : metrics.elidedText(number, Qt::ElideRight, width);
}

void paintCardRoller(QPainter &painter, const CardRollerLayout &layout,
                     const CardRollerState &state)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const QRect &card : layout.cards)
        ChipLook::paintCardFrame(painter, card);
    for (int slot = 0; slot < CardRollerLayout::kSlotCount; ++slot) {
        const std::optional<DB::ColorPage> &page = state.pages.at(slot);
        if (!page)
            continue;
        paintTitle(painter, layout.titles.at(slot), state.titles.at(slot));
        paintChips(painter, state.chipRects(layout, slot), *page, state);
    }
    if (const std::optional<CardRollerChip> selected = state.selectedChip(layout))
        paintSelection(painter, selected->rect);
    if (state.focused)
        paintFocus(painter, layout.cards.at(CardRollerLayout::kMiddleSlot));
}

} // namespace Corvo
