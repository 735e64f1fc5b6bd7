#pragma once

namespace Tintwell {

class ValidationContext;

// The rows of a file against the contract: collections and their identities, cards and
// chips through the page map, colours, moods, and every reference between tables.
namespace ContentChecks {

void checkCollections(ValidationContext &context);
void checkCards(ValidationContext &context);
void checkColours(ValidationContext &context);
void checkMoods(ValidationContext &context);
void checkReferences(ValidationContext &context);
void checkSchemeCounts(ValidationContext &context);

} // namespace ContentChecks

} // namespace Tintwell
