#include "ui/vistarapainter.h"

#include <QPainter>

namespace Corvo {

namespace {

const QColor kLight(255, 255, 255);
const QColor kDark(64, 64, 64);

void drawLine(QPainter &painter, const QRect &rect, int alignment, const QString &text)
{
    if (rect.isNull() || text.isEmpty())
        return;
    painter.drawText(rect, alignment | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width()));
}

void paintHeader(QPainter &painter, const VistaraLayout &layout, int group,
                 const VistaraShownGroup &shown, const VistaraScene &scene)
{
    const QPixmap &image = shown.open ? scene.openImage : scene.closedImage;
    if (!image.isNull())
        painter.drawPixmap(layout.headerImageRect(group), image);
    painter.setFont(scene.headerFont);
    painter.setPen(kLight);
    drawLine(painter, layout.headerNameRect(group), Qt::AlignLeft | Qt::AlignVCenter, shown.name);
}

// A dark edge inside a light one, so that both light and dark chips stand off the
// background.
void paintChip(QPainter &painter, const QRect &chip, const QColor &color)
{
    painter.fillRect(chip, color);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(kLight);
    painter.drawRect(chip.adjusted(-1, -1, 0, 0));
    painter.setPen(kDark);
    painter.drawRect(chip.adjusted(0, 0, -1, -1));
}

void paintItem(QPainter &painter, const VistaraItemGeometry &item, const DB::VistaraEntry &entry,
               const VistaraScene &scene)
{
    paintChip(painter, item.chip, vistaraChipColor(entry));
    painter.setPen(kLight);
    painter.setFont(scene.textFont);
    drawLine(painter, item.firstText, Qt::AlignHCenter | Qt::AlignTop, entry.name1);
    painter.setFont(scene.italicFont);
    drawLine(painter, item.secondText, Qt::AlignHCenter | Qt::AlignTop, entry.name2);
}

} // namespace

QColor vistaraChipColor(const DB::VistaraEntry &entry)
{
    return entry.color.isValid() ? entry.color.toRgb() : QColor(Qt::black);
}

void paintVistara(QPainter &painter, const VistaraLayout &layout, const VistaraScene &scene)
{
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int group = 0; group < layout.groupCount() && group < scene.groups.size(); ++group)
        paintHeader(painter, layout, group, scene.groups.at(group), scene);
    for (const VistaraItemGeometry &item : layout.items()) {
        if (item.group >= scene.groups.size())
            continue;
        const QList<DB::VistaraEntry> &entries = scene.groups.at(item.group).entries;
        if (item.entry < entries.size())
            paintItem(painter, item, entries.at(item.entry), scene);
    }
    painter.restore();
}

} // namespace Corvo
