#pragma once

#include "engine/db/vistaragroup.h"

#include <QHash>
#include <QUuid>

namespace Corvo::DB {

// 0 and the collection's trend groups (those of COLLECTION_ID 0 included) by group ID,
// each with its entries in ascending order; -1 statement failed, or the connection error.
int vistaraGroups(const QUuid &uuid, QHash<qint64, VistaraGroup> &groups);

} // namespace Corvo::DB
