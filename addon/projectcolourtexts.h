#pragma once

#include "addon/projectattributes.h"
#include "engine/palette/projectcolourmatcher.h"

#include <QString>

// The project colours window's texts, from the translations of the last-used collection.
namespace Corvo::ProjectColourTexts {

QString text(const char *key);
QString verdict(ColourVerdict verdict);
QString kind(ProjectAttributes::Attribute::Kind kind);
// A material's name; for a pen its table, its number and its description.
QString attributeName(const ProjectAttributes::Attribute &attribute);

} // namespace Corvo::ProjectColourTexts
