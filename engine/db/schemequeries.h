#pragma once

#include "engine/db/colorentry.h"
#include "engine/db/colorpage.h"

#include <QList>
#include <QUuid>

// Colour schemes built around a card or a chip. A chip is addressed by its card's
// PAGE_INDEX and its 1-based position among the card's chips sorted by ROW_INDEX.
// Outputs are emptied first, so an error leaves them empty.
namespace Corvo::DB {

namespace Scheme {
inline constexpr int Harmonic = 1;
inline constexpr int Contrast = 2;
inline constexpr int WideContrast = 3;
inline constexpr int Dynamic = 4;
inline constexpr int Dramatic = 5;
inline constexpr int Neutral = 6;
inline constexpr int TonalNeutral = 7;
inline constexpr int ComplementaryNeutral = 8;
} // namespace Scheme

// Whether the card has complementary-neutral scheme pages; true when the collection
// cannot be opened, false when the query fails.
bool hasComplementaryNeutralPages(const QUuid &uuid, int pageIndex);
// 0 and the scheme's pages of the card, each with its chips; -1 statement failed.
int schemePages(const QUuid &uuid, int pageIndex, int schemeId, QList<ColorPage> &pages);
// 0 and the scheme's chips for the chip, in scheme order (rowIndex is the position in
// the scheme); 0 and nothing when the chip does not take that scheme (dramatic needs a
// neutral or white chip, complementary neutral a rich one); -1 statement failed; -10
// rowPosition out of range; or the error of pageAt.
int schemeRows(const QUuid &uuid, int schemeId, int pageIndex, int rowPosition,
               QList<ColorEntry> &entries);
// Every chip of the scheme's pages for the chip, page by page (pageOrder), top to bottom.
int schemePageRows(const QUuid &uuid, int schemeId, int pageIndex, int rowPosition,
                   QList<ColorEntry> &entries);
// Contrast and wide-contrast chips merged: pageOrder -1 wide contrast group 0, then 0
// contrast group 0, then 1 wide contrast group 1, then 100 all others.
int contrastRows(const QUuid &uuid, int pageIndex, int rowPosition, QList<ColorEntry> &entries);

} // namespace Corvo::DB
