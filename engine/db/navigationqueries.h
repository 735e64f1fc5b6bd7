#pragma once

#include "engine/db/colorentry.h"
#include "engine/db/colorpage.h"
#include "engine/db/labsample.h"
#include "engine/db/selectiontypes.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QUuid>

// Card navigation: from card to card, to the first card of a wheel segment, to a card or
// chip by position or ID, and across all enabled collections to a chip by colour or code.
// Every operation returns 0 or a negative result code (collectioncatalogue.h); outputs are
// reset first, pages and segments are written only on success.
namespace Corvo::DB {

// Mood filter (`Mood`): 1 to 6 select that mood; 7 every mood but offwhite and neutral; 0
// every card.
inline constexpr int kMoodOffwhite = MoodOffwhite;
inline constexpr int kMoodNeutral = MoodNeutral;
inline constexpr int kAllMoods = MoodAll;

// 0 and the chip with that ROW.ID when it lies on a card of the collection; -1 otherwise.
int rowById(const QUuid &uuid, qint64 rowId, ColorEntry &entry);
// 0 and the chip at that ROW_INDEX of the card at that PAGE_INDEX; -1 otherwise.
int rowAt(const QUuid &uuid, int pageIndex, int rowIndex, ColorEntry &entry);
// 0 and every chip's stored CIELAB values with its ID (empty when the query fails).
int rowLabTable(const QUuid &uuid, QList<LabSample> &samples);

// Searches every enabled collection of the system-wide collection's file. 0 and the first
// chip of a catalogued collection with that exact colour or code (any letter case); -1
// when none, also when that file cannot be used or the colour is invalid. The entry's
// collectionId and `collection` name the collection it was found in.
int findRowByRgb(const QColor &colour, ColorEntry &entry, QUuid *collection = nullptr);
int findRowByCode(const QString &code, ColorEntry &entry, QUuid *collection = nullptr);

// Whether the collection has an exterior card of exactly that mood (7 is not expanded).
// True when the collection cannot be opened; false when the query fails.
bool hasExteriorPages(const QUuid &uuid, int mood);
// 0 and the distinct segments of the collection's cards in ascending order; -1 when none.
int segments(const QUuid &uuid, QList<int> &segments);

// The segment searches find the first qualifying card (lowest PAGE_INDEX) of the lowest
// segment at or above the requested one, wrapping to the lowest segment of the wheel;
// -6 when no card qualifies. nearestSegment's output starts as the requested segment,
// firstPageIndexOfSegment's as -1.
int nearestSegment(const QUuid &uuid, int segment, int mood, bool exterior, int &found);
int firstPageIndexOfSegment(const QUuid &uuid, int segment, int mood, bool exterior,
                            int &pageIndex);
int firstPageOfSegment(const QUuid &uuid, int segment, int mood, bool exterior, ColorPage &page);
// The next (or previous) qualifying card with its chips, wrapping at the ends of the deck;
// -6 when no other card qualifies. With filter 7 and the exterior flag, offwhite and
// neutral exterior cards qualify too. `pageQualifies` tells whether a card is one of them.
int adjacentPage(const QUuid &uuid, int pageIndex, bool backwards, int mood, bool exterior,
                 ColorPage &page);
bool pageQualifies(const ColorPage &page, int mood, bool exterior);

// 0 and the card with its chips sorted by ROW_INDEX; -1 when there is no such card.
int pageAt(const QUuid &uuid, int pageIndex, ColorPage &page);
int pageById(const QUuid &uuid, qint64 pageId, bool withoutRows, ColorPage &page);

} // namespace Corvo::DB
