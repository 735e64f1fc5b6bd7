#pragma once

#include "engine/db/abstractbase.h"

#include <QColor>
#include <QString>
#include <QStringList>

namespace Corvo::DB {

// One ROW row: a colour chip.
class ColorEntry : public AbstractBase
{
public:
    ColorEntry();
    explicit ColorEntry(const QSqlRecord &record);

    bool isValid() const override { return true; }
    void clear() override;
    int read(const QSqlRecord &record) override;

    qint64 collectionId = -1;
    qint64 pageId = -1;
    int rowIndex = -1;
    int pageOrder = -1;
    QString code;
    int segment = -1;
    int red = -1;
    int green = -1;
    int blue = -1;
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
    bool isMto = false;
    bool neutral = false;
    bool white = false;
    int mood = 0;
    int schemePos = -1;
    int nschemePos = -1;
    QStringList names;
    QStringList extras;
};

// The opaque colour a chip is painted in. Stored channels outside 0 to 255 are bounded,
// since they would make an invalid colour.
QColor chipColor(const ColorEntry &entry);

} // namespace Corvo::DB
