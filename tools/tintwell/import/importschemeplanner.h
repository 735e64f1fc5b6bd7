#pragma once

#include "tools/tintwell/demo/colourmath.h"
#include "tools/tintwell/model/deckmodel.h"

#include <QList>

namespace Tintwell {

// Colour schemes for a deck of any shape, by the colour relations the demo deck uses:
// analogous neighbours, the complement, split complements, triads, vivid accents round the
// wheel and three kinds of neutrals. Each scheme row asks for ideal colours and takes the
// deck's nearest chip (CIELAB distance) to each; every row holds one card's length.
class ImportSchemePlanner
{
public:
    ImportSchemePlanner(const QList<CardModel> &cards, int chipsPerCard, int segments);

    // Kinds 1 to 8 for every chip.
    QList<RowSchemeModel> chipSchemes() const;

private:
    struct Chip
    {
        ChipRef ref;
        Corvo::Lab lab;
    };
    QList<QList<ChipRef>> schemeOf(const ColourMath::Lch &lch, int kind) const;
    QList<ChipRef> hueRow(const ColourMath::Lch &lch, double chroma) const;
    QList<ChipRef> gradedRow(double hue, double chroma) const;
    ChipRef nearest(const ColourMath::Lch &target) const;

    int m_chipsPerCard;
    double m_segmentWidth;
    QList<Chip> m_byLightness;
    QList<QList<ColourMath::Lch>> m_lch;
};

} // namespace Tintwell
