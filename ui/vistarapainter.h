#pragma once

#include "engine/db/vistaraentry.h"
#include "ui/vistaralayout.h"

#include <QFont>
#include <QList>
#include <QPixmap>
#include <QString>

class QPainter;

namespace Corvo {

// A trend group as the view shows it.
struct VistaraShownGroup
{
    qint64 id = 0;
    QString name;
    bool open = false;
    QList<DB::VistaraEntry> entries;
};

struct VistaraScene
{
    // In display order, as the layout counts them.
    QList<VistaraShownGroup> groups;
    // Either may be null; the header then shows only its name.
    QPixmap openImage;
    QPixmap closedImage;
    QFont headerFont;
    QFont textFont;
    QFont italicFont;
};

// The colour a trend chip is filled with: its RGB, black when the row carries none.
QColor vistaraChipColor(const DB::VistaraEntry &entry);

// Every group header and the chips of the open groups with their texts, over a
// transparent background.
void paintVistara(QPainter &painter, const VistaraLayout &layout, const VistaraScene &scene);

} // namespace Corvo
