#pragma once

#include "tools/tintwell/model/deckmodel.h"

#include <QList>

namespace Tintwell {

class CardPlanner;

// Colour schemes chosen by colour theory from a deck's own chips. Hue relations are
// counted in wheel segments: analogous neighbours, the complement half a wheel away,
// split complements either side of it, triads a third of the wheel apart. Every chip
// scheme holds whole rows of one card's length.
class SchemePlanner
{
public:
    explicit SchemePlanner(const CardPlanner &cards);

    // Kinds 1 to 8 for every chip of a normal deck.
    QList<RowSchemeModel> chipSchemes() const;
    // Scheme cards of every card (kind 8 only for coloured cards) and of every chip.
    QList<PageSchemeModel> cardSchemes() const;
    QList<ChipPageSchemeModel> chipCardSchemes() const;
    // The two contrast kinds of a metallic deck in its three groups: wide contrast 1
    // (kind 3, group 0), contrast (kind 2, group 0) and wide contrast 2 (kind 3, group 1).
    QList<RowSchemeModel> lustrelSchemes() const;

private:
    struct Target
    {
        int segmentOffset;
        int tone;
        double lightness;
    };
    QList<ChipRef> row(int segment, const QList<Target> &targets) const;
    QList<ChipRef> wholeCard(int segment, int tone) const;
    QList<QList<ChipRef>> schemeOf(const ChipRef &chip, int kind) const;
    QList<int> schemeCardsOf(int card, int kind) const;
    int neighbourTone(int tone) const;

    const CardPlanner &m_cards;
    int m_half;
    int m_split;
    int m_third;
};

} // namespace Tintwell
