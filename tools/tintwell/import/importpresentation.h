#pragma once

#include "tools/tintwell/demo/themepainter.h"
#include "tools/tintwell/import/importoptions.h"
#include "tools/tintwell/model/deckmodel.h"

#include <QList>

// What an imported collection shows besides its colours: the settings, the texts and a look
// of its own, painted from its name and colours the way the demo deck's is.
namespace Tintwell::ImportPresentation {

QList<SettingModel> settings(const ImportOptions &options, bool hasExterior, bool hasProducts);
QList<TranslationModel> translations(const QString &name, int colours, int cards);
// The wheel shows each segment's colours, the most colourful outside; a segment without
// colours stays grey.
ThemeStyle themeStyle(const QString &name, const QList<CardModel> &cards, int segments);
// Segment (1-based) of a hue: segment 1 is centred on hue 0.
int segmentOfHue(double hue, int segments);

} // namespace Tintwell::ImportPresentation
