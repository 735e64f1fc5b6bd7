#pragma once

#include "tools/tintwell/model/deckmodel.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Tintwell {

// One colour read from a swatch file, its colour already in 8-bit sRGB, its texts on one
// line with single spaces. Empty texts and unset options mean the file does not say.
struct SwatchEntry
{
    QString code;
    QString name;
    QString group;
    QString description;
    Rgb rgb;
    std::optional<double> lightReflectance;
    std::optional<bool> exterior;
    QStringList products;
    QString origin; // "file.csv:12", for reports
};

} // namespace Tintwell
