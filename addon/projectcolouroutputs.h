#pragma once

#include "addon/projectcolourrow.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What the project colours window hands on besides the host: the chips to My Palette and
// the rows as a finish schedule.
namespace Corvo::ProjectColourOutputs {

// The name "make exact" gives a material matched to the chip, as the export names it.
QString exportName(const ProjectColourMatch &match);

// Puts the rows' chips into the palette's empty cells in row-major order, each chip once;
// the number of chips that did not fit.
int addToPalette(const QList<ProjectColourRow> &rows);

// The rows as a finish schedule: the attribute's name, kind, colour, difference and
// verdict, then the chip as the palette's finish schedule lists it (without its cell).
QByteArray schedule(const QList<ProjectColourRow> &rows);

} // namespace Corvo::ProjectColourOutputs
