#pragma once

#include "engine/db/abstractbase.h"
#include "engine/db/colorentry.h"

#include <QList>
#include <QStringList>

namespace Corvo::DB {

// One PAGE row (a card) and, when the query loaded them, its chips sorted by rowIndex.
class ColorPage : public AbstractBase
{
public:
    ColorPage() = default;
    explicit ColorPage(const QSqlRecord &record);

    bool isValid() const override { return pageIndex > 0 && segment > 0; }

    void sortRows();

    int pageIndex = -1;
    int segment = -1;
    bool exterior = false;
    int mood = 0;
    QStringList names;
    QStringList extras;
    QList<ColorEntry> rows;
};

} // namespace Corvo::DB
