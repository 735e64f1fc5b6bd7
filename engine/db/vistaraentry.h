#pragma once

#include "engine/db/abstractbase.h"

#include <QColor>
#include <QString>

namespace Corvo::DB {

// One VISTARA_ENTRY row: a colour of a trend group, possibly standing for a chip.
class VistaraEntry : public AbstractBase
{
public:
    VistaraEntry() = default;
    explicit VistaraEntry(const QSqlRecord &record);

    bool isValid() const override { return id != -1; }

    qint64 rowId = 0;
    QString name1;
    QString name2;
    QColor color;
    int order = 0;
};

} // namespace Corvo::DB
