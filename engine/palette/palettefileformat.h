#pragma once

namespace Corvo {

// The formats My Palette is written in. Xml and Text keep the values stored in
// "MyPaletteSaveFileFormat"; the others are interchange formats that other programs read
// and are never read back here.
enum class PaletteFileFormat : int { Xml = 0, Text = 1, Gpl = 2, Ase = 3, Css = 4, Csv = 5 };

} // namespace Corvo
