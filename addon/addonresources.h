#pragma once

#include "host/api/gsroot.h"

#include <QByteArray>
#include <QList>

// The add-on's resources in the host's format: its name, its three menus and their prompts,
// and its registration identifiers.
namespace Corvo::AddOnResources {

inline constexpr int32_t kNameList = 32000;           // 1: name, 2: description
inline constexpr int16_t kPickerMenu = 32500;         // "Velmora" > "Color Picker"
inline constexpr int16_t kAboutMenu = 32501;          // "Velmora" > "About ..."
inline constexpr int16_t kProjectColoursMenu = 32502; // "Velmora" > "Project colours"
inline constexpr int16_t kPickerPrompts = 32550;
inline constexpr int16_t kAboutPrompts = 32551;
inline constexpr int16_t kProjectColoursPrompts = 32552;
inline constexpr int32_t kIdentifiers = 32500;
inline constexpr int kNameIndex = 1;
inline constexpr int kDescriptionIndex = 2;

// A string list: a 32-bit byte count, then the NUL-terminated strings.
QByteArray stringList(const QList<QByteArray> &strings);

// Registers the resources with the host library, leaving the active module as it was;
// kInvalidResModule when the host library refuses them.
GSResModule registerWithHost();

} // namespace Corvo::AddOnResources
