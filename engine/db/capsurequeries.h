#pragma once

#include "engine/db/colorentry.h"

#include <QList>
#include <QString>

// Which collections answer a colour measured by the Capsure device, and with which chips.
// Both run in the system-wide collection's file.
namespace Corvo::DB {

// 0 and the Capsure-enabled collections' IDs, highest priority (lowest number) first;
// -1 statement failed, or the connection error.
int capsureCollectionIds(QList<qint64> &ids);
// 0 and the chips of the Capsure-enabled collections whose code, or a row name column of
// the current collection's search order, equals the text in any letter case; in priority
// order, each entry's collectionId naming the collection it was found in. A blank text
// matches nothing.
int capsureMatches(const QString &text, QList<ColorEntry> &entries);

} // namespace Corvo::DB
