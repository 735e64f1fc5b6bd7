#pragma once

#include "engine/palette/palettecell.h"

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QString>

#include <optional>

// Palette files as the palette model saves and loads them: the chips of the cells found
// in the collections, and the files written so that a failed write leaves the previous
// file as it was.
namespace Corvo {

// A file written here holds one chip per cell; a few more allow for files edited by
// hand. Each cell looks up at most this many of its chips (the file's last ones), so a
// crafted file of thousands of chips that cannot be found costs no more than a full one.
inline constexpr int kPaletteLookupsPerCell = 4;

// A palette file's contents found in the installed collections.
struct ResolvedPalette
{
    QString description;
    // At most one per cell: the last chip of the file for that cell that could be found
    // within the cell's look-ups.
    QList<std::pair<QPoint, PaletteCell>> cells;
    // How many chips were looked up in the collections; equal chips are looked up once.
    int lookups = 0;
};

// The palette of an XML file's bytes; nothing when the file is not one this system
// reads (malformed, another version, a version 2 system that is not installed, a
// version 3 system other than multi-collection). Chips of collections that are not
// installed, and chips whose place now holds another code, are left out.
std::optional<ResolvedPalette> resolvePaletteDocument(const QByteArray &bytes);

// The XML file for the cells (row-major, 24 of them); filled cells whose chip cannot be
// read back, or whose card is not the chip's, are left out.
QByteArray paletteXmlFile(const QString &description, const QList<PaletteCell> &cells);
// One "collection name : code" line per readable filled cell, after a byte-order mark;
// empty when there is no such cell.
QByteArray paletteTextFile(const QList<PaletteCell> &cells);

// The file's bytes, when it is a file that exists and opens; a file larger than any palette reads
// as empty bytes, which no reader accepts.
std::optional<QByteArray> readPaletteFile(const QString &path);
// Replaces the file in one step; false (and the old file untouched) when that fails.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace Corvo
