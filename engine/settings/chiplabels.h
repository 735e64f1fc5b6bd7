#pragma once

#include "engine/db/colorentry.h"
#include "engine/db/colorpage.h"

#include <QString>
#include <QUuid>

// The texts that describe a chip wherever it is shown. Both use the display orders of the
// chip's own collection, which need not be the current one (a palette holds chips of
// several collections).
namespace Corvo {

// The colour code, followed by " - " and the chip's name of the first index of the
// collection's row name display order when there is one.
QString chipLabel(const QUuid &uuid, const DB::ColorEntry &entry);

// A card's title: its first non-empty name in the collection's page name display order
// (the orders of readNameOrders), else its page index as a decimal number.
QString pageDisplayName(const QList<int> &pageNameDisplayOrder, const DB::ColorPage &page);

// The tool tip of the chip with that ROW.ID: the lines the collection's tool-tip flags ask
// for, in a fixed order; empty when the chip cannot be loaded. In HTML every stored text
// is escaped, so "Black & Tan" shows as stored.
QString chipToolTip(const QUuid &uuid, qint64 rowId, bool html = true);

} // namespace Corvo
