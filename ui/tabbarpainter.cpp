#include "ui/tabbarpainter.h"

#include <QPainter>

namespace Corvo {

namespace {

const QColor kLineColour(188, 188, 188);
const QColor kCurrentFill(255, 255, 255, 178);
const QColor kCurrentCaption(55, 55, 55);
const QColor kOtherCaption(128, 128, 128);
constexpr int kFocusInset = 3;

void paintBackground(QPainter &painter, const TabBarLayout &layout, const QPixmap &background)
{
    if (!background.isNull())
        painter.drawTiledPixmap(QRect(QPoint(0, 0), layout.size()), background);
    painter.setPen(kLineColour);
    painter.drawLine(layout.leftLine());
}

void paintCaption(QPainter &painter, const QRect &tab, const QString &caption, bool current)
{
    painter.setPen(current ? kCurrentCaption : kOtherCaption);
    // Drawn twice: the second pass darkens the antialiased edges, so the caption reads as
    // firmly on the light fill as on the bar.
    for (int pass = 0; pass < 2; ++pass)
        painter.drawText(tab, Qt::AlignCenter | Qt::TextSingleLine, caption);
}

void paintFocus(QPainter &painter, const QRect &tab)
{
    QPen pen(kOtherCaption);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(tab.adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
}

} // namespace

void paintTabBar(QPainter &painter, const TabBarLayout &layout, const QPixmap &background,
                 const QStringList &captions, const TabBarState &state)
{
    paintBackground(painter, layout, background);
    const int current = layout.indexOf(state.currentPage);
    for (int index = 0; index < layout.count(); ++index) {
        const QRect tab = layout.tabRect(index);
        if (index == current)
            painter.fillRect(tab, kCurrentFill);
        paintCaption(painter, tab, captions.value(index), index == current);
        if (index == current && state.focusVisible)
            paintFocus(painter, tab);
    }
    painter.setPen(kLineColour);
    for (const QLine &line : layout.separators())
        painter.drawLine(line);
}

} // namespace Corvo
