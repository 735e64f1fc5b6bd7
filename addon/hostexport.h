#pragma once

#include "addon/exportmap.h"

#include <QByteArray>
#include <QString>

// Writing the palette's colours into the host's project as materials or as a pen table.
// No error reaches the user: a failed host call ends that step.
namespace Corvo::HostExport {

enum Kind { None = 0, Materials = 1, PenTable = 2 };

// The text as the host's fields hold it: UTF-8, cut on a character boundary so that it
// fits `capacity` bytes with its terminator.
QByteArray fieldText(const QString &text, int capacity);
// "<prefix> <name>", or the name alone when the prefix is empty.
QString exportName(const QString &prefix, const QString &name);

// One material per entry in key order; a material whose name the project has already is
// left alone. The number of materials created.
int createMaterials(const ExportMap &map, const QString &prefix);
// A pen table of the set's name: one pen per entry in key order, then white filler pens to
// the last index. A pen table of that name is overwritten. A set without a name (empty or
// blank) is called after `defaultName` with the first number from 1 that no pen table of
// the project carries yet, and never overwrites one. True when the host took it.
bool createPenTable(const ExportMap &map, const QString &penSetName, const QString &prefix,
                    const QString &defaultName);
// "<base> <n>" for the first n from 1 whose name no pen table of the project carries, as
// far as the host says; empty when every number up to a limit is taken.
QString unusedPenTableName(const QString &base);

// The translation of "archicad.addon.material.prefix" for the last-used collection, looked
// up anew for every export, so that the names follow the collection in use.
QString materialPrefix();
// The translation of "archicad.addon.penset.default.name" for the last-used collection.
QString defaultPenSetName();

} // namespace Corvo::HostExport
