#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QUuid>

// Theme images of a collection as the widgets draw them.
namespace Corvo {

// Encoded images larger than this are not decoded: a theme image is a small picture.
inline constexpr int kMaxThemeImagePixels = 4096 * 4096;

// The collection's image for the key, scaled to size (ignoring its aspect ratio) at the
// device pixel ratio, so that it stays crisp on a dense screen. A null pixmap when the key
// has no image, the bytes do not decode or the size is empty.
QPixmap themePixmap(const QUuid &collection, const QString &key, const QSize &size,
                    qreal devicePixelRatio);
// The same at its stored size taken as logical pixels (a button is as large as its image).
QPixmap themePixmap(const QUuid &collection, const QString &key, qreal devicePixelRatio);
// The decoded image as stored; null as above.
QImage themeImage(const QUuid &collection, const QString &key);

} // namespace Corvo
