#pragma once

#include "ui/colorwheellayout.h"

#include <QPixmap>
#include <QSize>
#include <QUuid>

#include <optional>

class QPainter;

namespace Corvo {

// Paints the colour wheel: the collection's wheel picture with the white hub, and over it
// the pointer and the arc of the current segment. The picture and hub do not change with
// the segment, so they are rendered once into a pixmap at the device pixel ratio and kept
// until the collection, the size or the ratio changes.
class ColorWheelPainter
{
public:
    void paint(QPainter &painter, const ColorWheelLayout &layout, const QUuid &collection,
               const QSize &size, int segment, qreal devicePixelRatio);
    // The next paint renders the wheel afresh (the collection's data was reloaded).
    void invalidate() { m_key.reset(); }

    // The wheel picture of the collection scaled to the size, with the hub; a missing
    // picture leaves the hub on a transparent ground.
    static QPixmap renderWheel(const QUuid &collection, const QSize &size, qreal devicePixelRatio);
    static void paintPointer(QPainter &painter, const ColorWheelLayout &layout, int segment);
    static void paintArc(QPainter &painter, const ColorWheelLayout &layout, int segment);
    // The keyboard focus: a blue ring round the wheel's rim, in the focus blue of the
    // task buttons and the card roller.
    static void paintFocus(QPainter &painter);

private:
    struct CacheKey
    {
        QUuid collection;
        QSize size;
        qreal devicePixelRatio = 1.0;
        bool operator==(const CacheKey &other) const
        {
            return collection == other.collection && size == other.size &&
                   qFuzzyCompare(devicePixelRatio, other.devicePixelRatio);
        }
    };

    const QPixmap &cachedWheel(const CacheKey &key);

    std::optional<CacheKey> m_key;
    QPixmap m_wheel;
};

} // namespace Corvo
