#pragma once

#include "engine/db/colorentry.h"

#include <QList>
#include <QString>
#include <QStringList>

// Which collections answer a colour measured by the Capsure device, and with which chips.
// All run in the system-wide collection's file.
namespace Corvo::DB {

// 0 and the Capsure-enabled collections' IDs, highest priority (lowest number) first;
// -1 statement failed, or the connection error.
int capsureCollectionIds(QList<qint64> &ids);
// 0 and the chips of the Capsure-enabled collections whose code, or a row name column of
// the current collection's search order, equals the text in any letter case; in priority
// order (then by collection ID, card and row ID), each entry's collectionId naming the
// collection it was found in. A blank text matches nothing.
int capsureMatches(const QString &text, QList<ColorEntry> &entries);
// 0 and what capsureMatches finds for each of the texts in turn, a chip listed only where
// the first text to find it in that collection found it: text by text, each text's chips in
// the order capsureMatches gives them. Blank texts are skipped. Far fewer statements than
// one per text (the columns are upper-cased once per row, not once per text). -1 and no
// entries when a statement failed, or the connection error.
int capsureMatchesOfEach(const QStringList &texts, QList<ColorEntry> &entries);

} // namespace Corvo::DB
