#pragma once

#include "engine/palette/palettecell.h"

#include <QList>
#include <QString>

#include <map>

namespace Corvo {

// A colour handed to the host, ordered by red, then green, then blue.
struct ExportColor
{
    int red = 0;
    int green = 0;
    int blue = 0;

    friend bool operator<(const ExportColor &x, const ExportColor &y)
    {
        if (x.red != y.red)
            return x.red < y.red;
        if (x.green != y.green)
            return x.green < y.green;
        return x.blue < y.blue;
    }
    friend bool operator==(const ExportColor &x, const ExportColor &y)
    {
        return x.red == y.red && x.green == y.green && x.blue == y.blue;
    }
};

// The palette's distinct colours with the names the host gets for them.
using ExportMap = std::map<ExportColor, QString>;

// From the cells in row-major order: one entry per distinct colour, named by the first cell
// that has it (its label, and with `appendProductCodes` " - " and the chip's product codes,
// looked up in the chip's own collection). A name that an earlier colour already took gets
// " (#RRGGBB)", so that the host, which keys by name, keeps every colour.
ExportMap buildExportMap(const QList<PaletteCell> &cells, bool appendProductCodes);

} // namespace Corvo
