#pragma once

#include "tools/tintwell/model/deckmodel.h"

#include <QList>
#include <QString>

// The settings every collection the tool writes carries, whatever its source: the wheel's
// geometry, the card and scheme modes, the tool-tip flags, the matching intervals, the
// help link and the name orders of NAME0/NAME1 and EXTRA0.
namespace Tintwell::StandardSettings {

QList<SettingModel> collection(int segments, int chipsPerCard, const QString &cardType);
// Where segment 1 sits on the wheel, in degrees counter-clockwise from three o'clock.
double firstSegmentAngle();
// The system-wide collection's: textures allowed, their size, and the interface fonts the
// picker prefers. Every file carries them, since any file may be the one serving them all.
QList<SettingModel> systemWide();

} // namespace Tintwell::StandardSettings
