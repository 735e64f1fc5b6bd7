#pragma once

#include "engine/db/abstractbase.h"
#include "engine/db/vistaraentry.h"

#include <QList>
#include <QString>

namespace Corvo::DB {

// One VISTARA_GROUP row with its entries in display order (filled by the group query).
class VistaraGroup : public AbstractBase
{
public:
    VistaraGroup() = default;
    explicit VistaraGroup(const QSqlRecord &record);

    bool isValid() const override { return id != -1; }

    QString name;
    bool defaultOpen = false;
    int order = 0;
    QList<VistaraEntry> entries;
};

} // namespace Corvo::DB
