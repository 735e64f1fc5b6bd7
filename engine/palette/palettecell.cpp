#include "engine/palette/palettecell.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/chiplabels.h"

namespace Corvo {

PaletteCell cellForChip(const QUuid &collection, const DB::ColorEntry &entry)
{
    PaletteCell cell;
    cell.collection = collection;
    cell.pageId = entry.pageId;
    cell.rowId = entry.id;
    cell.color = DB::chipColor(entry);
    cell.label = chipLabel(collection, entry);
    return cell;
}

std::optional<PaletteCell> cellForStoredChip(const ItemIndex &index)
{
    DB::ColorEntry entry;
    if (!index.namesChip() || DB::rowById(index.collection, index.rowId, entry) != DB::Ok)
        return std::nullopt;
    PaletteCell cell = cellForChip(index.collection, entry);
    cell.pageId = index.pageId;
    return cell;
}

} // namespace Corvo
