#pragma once

namespace Corvo {

// The two palette file formats; the values are those stored in "MyPaletteSaveFileFormat".
enum class PaletteFileFormat : int { Xml = 0, Text = 1 };

} // namespace Corvo
