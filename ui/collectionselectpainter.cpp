#include "ui/collectionselectpainter.h"

#include <QFontMetrics>
#include <QPainter>

namespace Corvo {

namespace {
// Visible on the bar without outshining the name.
constexpr int kFocusFrameAlpha = 110;
} // namespace

void paintCollectionSelector(QPainter &painter, const CollectionSelectLayout &layout,
                             const CollectionSelectLook &look, bool focused)
{
    const QRect whole(QPoint(0, 0), layout.size());
    if (!look.background.isNull())
        painter.drawPixmap(whole, look.background);
    if (focused) {
        QColor frame = look.textColour;
        frame.setAlpha(kFocusFrameAlpha);
        painter.setPen(frame);
        painter.drawRect(whole.adjusted(1, 1, -2, -2));
    }
    const QRect nameRect = layout.nameRect();
    if (look.name.isEmpty() || nameRect.isEmpty())
        return;
    const QString shown =
        painter.fontMetrics().elidedText(look.name, Qt::ElideRight, nameRect.width());
    painter.setPen(look.textColour);
    for (int pass = 0; pass < 2; ++pass)
        painter.drawText(nameRect, Qt::AlignCenter | Qt::TextSingleLine, shown);
}

} // namespace Corvo
