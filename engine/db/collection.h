#pragma once

#include "engine/db/abstractbase.h"

#include <QString>
#include <QUuid>

namespace Corvo::DB {

// One COLLECTION row.
class Collection : public AbstractBase
{
public:
    Collection() = default;
    explicit Collection(const QSqlRecord &record);

    bool isValid() const override { return true; }

    QString systemId;
    qint64 version = 0;
    QUuid uuid;
    QString name;
    int order = 0;
};

} // namespace Corvo::DB
