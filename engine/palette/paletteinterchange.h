#pragma once

#include "engine/palette/palettecell.h"
#include "engine/palette/palettefileformat.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>

#include <optional>

// My Palette written for other programs: swatch palettes, style sheets and a finish
// schedule. Each file is complete and well-formed whatever the names hold.
namespace Corvo {

// One colour of a swatch file: a distinct colour of the palette.
struct PaletteSwatch
{
    QColor color;
    QString label;
    QString code;
};

bool isInterchangeFormat(PaletteFileFormat format);
// "gpl", "ase", "css", "csv"; empty for the palette's own formats.
QString interchangeFormatName(PaletteFileFormat format);
// The interchange format of that name (any letter case); nothing for any other name.
std::optional<PaletteFileFormat> interchangeFormatNamed(const QString &name);

// One swatch per distinct colour of the filled cells, in row-major order and named by the
// first cell that has it, as the host export names its entries.
QList<PaletteSwatch> distinctSwatches(const QList<PaletteCell> &cells);
// The description, or the first filled cell's collection name when the description is empty.
QString paletteTitle(const QString &description, const QList<PaletteCell> &cells);
// The text on one line: control characters and line or paragraph separators become blanks,
// a lone surrogate becomes the replacement character.
QString oneLineText(const QString &text);

// The file of an interchange format for the cells (row-major, 24 of them); empty for the
// palette's own formats.
QByteArray paletteInterchangeFile(PaletteFileFormat format, const QString &description,
                                  const QList<PaletteCell> &cells);

} // namespace Corvo
