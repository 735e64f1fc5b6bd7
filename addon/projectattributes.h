#pragma once

#include <QColor>
#include <QList>
#include <QString>

#include <optional>

// The project's materials and pens as the host lists them, and the changes "make exact"
// writes back. Nothing else of the project is touched.
namespace Corvo::ProjectAttributes {

struct Attribute
{
    enum Kind { Material, Pen };
    Kind kind = Material;
    // The material's or the pen table's position in its type, from 1.
    int index = 0;
    // The pen's position in its table, from 1; 0 for a material.
    int pen = 0;
    // The material's or the pen table's name.
    QString name;
    // A pen's description.
    QString description;
    QColor colour;
};

// A colour to give an attribute, and the name it should carry: a material's new name (kept
// as it is when another material has it), a pen's description.
struct Change
{
    Attribute attribute;
    QColor colour;
    QString name;
};

// Every material, then every pen of every pen table but the white filler pens of width 0;
// nothing when the host cannot list attributes. An attribute that cannot be read is left
// out.
std::optional<QList<Attribute>> read();

// Each change's attribute as it is now, or nothing where a host call failed (that
// attribute is then as it was). The pens of one table change in one call.
QList<std::optional<Attribute>> apply(const QList<Change> &changes);

} // namespace Corvo::ProjectAttributes
