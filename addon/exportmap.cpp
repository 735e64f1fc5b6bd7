#include "addon/exportmap.h"

#include "engine/db/productqueries.h"

#include <QSet>

namespace Corvo {

namespace {

QString cellName(const PaletteCell &cell, bool appendProductCodes)
{
    QString name = cell.label;
    QStringList codes;
    if (appendProductCodes && DB::productCodes(cell.collection, cell.rowId, codes) == 0 &&
        !codes.isEmpty())
        name += QStringLiteral(" - ") + codes.join(QStringLiteral(", "));
    return name;
}

QString hexOf(const ExportColor &color)
{
    return QStringLiteral("#%1%2%3")
        .arg(color.red, 2, 16, QLatin1Char('0'))
        .arg(color.green, 2, 16, QLatin1Char('0'))
        .arg(color.blue, 2, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

ExportMap buildExportMap(const QList<PaletteCell> &cells, bool appendProductCodes)
{
    ExportMap map;
    QSet<QString> names;
    for (const PaletteCell &cell : cells) {
        if (!cell.isFilled() || cell.color.alpha() == 0)
            continue;
        const ExportColor color{cell.color.red(), cell.color.green(), cell.color.blue()};
        if (map.count(color))
            continue;
        QString name = cellName(cell, appendProductCodes);
        if (names.contains(name))
            name += QStringLiteral(" (") + hexOf(color) + QLatin1Char(')');
        names.insert(name);
        map.emplace(color, name);
    }
    return map;
}

} // namespace Corvo
