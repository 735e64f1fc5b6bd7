#pragma once

#include "tools/tintwell/model/deckmodel.h"

#include <QUuid>

namespace Tintwell {

// The demo file set: a paint maker's main fan deck ("VELMORA", card type normal) and a
// metallic range ("LUSTREL", card type lustrel), with every setting, text, theme image,
// scheme, trend group, product and texture the picker shows. The same content on every
// run: no clock, no random state, fixed UUIDs.
namespace DemoDeck {

QUuid mainCollectionUuid();
QUuid lustrelCollectionUuid();
DeckModel build();
// The demo deck with its main collection grown to at least mainChips chips, for measuring
// at scale: every hue segment gets more cards at finer hue steps, one step more per 1,008
// chips. Below the demo's own size, the demo.
DeckModel build(int mainChips);
// The deck as file number of a data folder holding many: from number 2 on, its
// collections get UUIDs, system IDs, names and orders of their own, the same on every run.
DeckModel numberedCopy(const DeckModel &deck, int number);

} // namespace DemoDeck

} // namespace Tintwell
