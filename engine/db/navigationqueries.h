#pragma once

#include <QUuid>

// Card navigation: from card to card, to the first card of a wheel segment, to a card or
// chip by position or ID, and across all enabled collections to a chip by colour or code.
namespace Corvo::DB {

// Whether the collection has an exterior card of exactly that mood (7 is not expanded).
// True when the collection cannot be opened; false when the query fails.
bool hasExteriorPages(const QUuid &uuid, int mood);

} // namespace Corvo::DB
