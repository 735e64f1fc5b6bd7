#pragma once

#include "engine/db/texture.h"
#include "engine/db/textureplacement.h"

#include <QHash>
#include <QList>
#include <QUuid>

namespace Corvo::DB {

// 0 and the collection's textures (those of COLLECTION_ID 0 included) by texture ID;
// -1 statement failed, or the connection error.
int textures(const QUuid &uuid, QHash<qint64, Texture> &textures);
// 0 and the textures offered for the card, in database order.
int texturePlacements(const QUuid &uuid, qint64 pageId, QList<TexturePlacement> &placements);

} // namespace Corvo::DB
