#pragma once

#include <QString>

class QSqlRecord;

namespace Corvo::DB {

// One row of the texture map of a page: which texture, at which opacity.
struct TexturePlacement
{
    TexturePlacement() = default;
    explicit TexturePlacement(const QSqlRecord &record);

    qint64 textureId = 0;
    qint64 pageId = 0;
    QString name;
    double alpha = 0.0;
};

} // namespace Corvo::DB
