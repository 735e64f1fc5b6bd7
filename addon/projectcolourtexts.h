#pragma once

#include "addon/projectattributes.h"
#include "engine/palette/projectcolourmatcher.h"

#include <QString>

// The project colours window's texts, from the translations of the last-used collection.
namespace Corvo::ProjectColourTexts {

// The text of the key, read once until forget().
QString text(const char *key);
// Reads the texts afresh from now on (a window opens).
void forget();
QString verdict(ColourVerdict verdict);
QString kind(ProjectAttributes::Attribute::Kind kind);
// A material's name; for a pen its table, its number and its description.
QString attributeName(const ProjectAttributes::Attribute &attribute);

} // namespace Corvo::ProjectColourTexts
