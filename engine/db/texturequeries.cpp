#include "engine/db/texturequeries.h"

#include "engine/db/collectionaccess.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/preparedquery.h"

#include <QSqlRecord>

namespace Corvo::DB {

namespace {

const QString kTexturesSql =
    QStringLiteral("SELECT     * FROM     TEXTURE T WHERE     T.COLLECTION_ID in (0, ?)");
const QString kPlacementsSql = QStringLiteral(
    "SELECT     TM.TEXTURE_ID,     TM.PAGE_ID,     TM.ALPHA,     TM.NAME FROM     TEXTURE_MAP "
    "TM     JOIN TEXTURE T ON T.ID = TM.TEXTURE_ID WHERE     TM.PAGE_ID = :PAGE_ID");

} // namespace

int textures(const QUuid &uuid, QHash<qint64, Texture> &found)
{
    found.clear();
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    PreparedQuery query(access.database, kTexturesSql);
    if (!query.exec({access.id}))
        return Failed;
    while (query->next()) {
        const Texture texture(query->record());
        found.insert(texture.id, texture);
    }
    return Ok;
}

int texturePlacements(const QUuid &uuid, qint64 pageId, QList<TexturePlacement> &placements)
{
    placements.clear();
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    PreparedQuery query(access.database, kPlacementsSql);
    query.bind(QStringLiteral(":PAGE_ID"), pageId);
    if (!query.exec())
        return Failed;
    while (query->next())
        placements.append(TexturePlacement(query->record()));
    return Ok;
}

} // namespace Corvo::DB
