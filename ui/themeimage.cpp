#include "ui/themeimage.h"

#include "engine/db/collectionlookups.h"

#include <QBuffer>
#include <QImageReader>

namespace Corvo {

QImage themeImage(const QUuid &collection, const QString &key)
{
    QByteArray bytes;
    if (DB::themeItem(collection, key, bytes) != 0 || bytes.isEmpty())
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize stored = reader.size();
    if (!stored.isValid() || qint64(stored.width()) * stored.height() > kMaxThemeImagePixels)
        return {};
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

namespace {

QPixmap scaledPixmap(const QImage &image, const QSize &size, qreal devicePixelRatio)
{
    if (image.isNull() || size.isEmpty())
        return {};
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap = QPixmap::fromImage(
        image.scaled(size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

} // namespace

QPixmap themePixmap(const QUuid &collection, const QString &key, const QSize &size,
                    qreal devicePixelRatio)
{
    if (size.isEmpty())
        return {};
    return scaledPixmap(themeImage(collection, key), size, devicePixelRatio);
}

QPixmap themePixmap(const QUuid &collection, const QString &key, qreal devicePixelRatio)
{
    const QImage image = themeImage(collection, key);
    return scaledPixmap(image, image.size(), devicePixelRatio);
}

} // namespace Corvo
