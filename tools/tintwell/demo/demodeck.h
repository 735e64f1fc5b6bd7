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

} // namespace DemoDeck

} // namespace Tintwell
