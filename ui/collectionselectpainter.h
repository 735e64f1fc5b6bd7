#pragma once

#include "ui/collectionselectlayout.h"

#include <QColor>
#include <QPixmap>
#include <QString>

class QPainter;

namespace Corvo {

// What the selector shows of its collection.
struct CollectionSelectLook
{
    // Already scaled to the selector's size.
    QPixmap background;
    QString name;
    QColor textColour;
};

// The bar background, then the name on one line, centred, elided when it does not fit,
// drawn twice so that its anti-aliased edges stand out against the bar; with the keyboard
// focus a thin frame in the text colour. The painter's font is used.
void paintCollectionSelector(QPainter &painter, const CollectionSelectLayout &layout,
                             const CollectionSelectLook &look, bool focused);

} // namespace Corvo
