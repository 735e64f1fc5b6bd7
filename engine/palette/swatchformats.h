#pragma once

#include "engine/palette/paletteinterchange.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Swatch palettes of distinct colours in the formats of image editors, layout programs and
// style sheets.
namespace Corvo::SwatchFormats {

// The palette file of image and drawing editors: a header, then "R G B<tab>label" lines.
QByteArray gplFile(const QString &title, const QList<PaletteSwatch> &swatches);
// The binary swatch exchange file: one group of the title holding one RGB swatch each.
QByteArray aseFile(const QString &title, const QList<PaletteSwatch> &swatches);
// A style sheet of custom properties on :root, one per swatch, named after its code.
QByteArray cssFile(const QString &title, const QList<PaletteSwatch> &swatches);
// The custom property for a code: "--" and the code in lower case with every run of
// characters other than a-z and 0-9 as one hyphen; "--color" when nothing is left.
QString cssPropertyName(const QString &code);

} // namespace Corvo::SwatchFormats
