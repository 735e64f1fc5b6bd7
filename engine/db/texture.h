#pragma once

#include "engine/db/abstractbase.h"

#include <QImage>
#include <QString>

namespace Corvo::DB {

// One TEXTURE row; the image is decoded from the stored bytes, whatever their format.
class Texture : public AbstractBase
{
public:
    Texture() = default;
    explicit Texture(const QSqlRecord &record);

    bool isValid() const override { return id != -1; }

    qint64 collectionId = 0;
    QString name;
    double baseAlpha = 0.0;
    QImage image;
};

} // namespace Corvo::DB
